// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "AccountDiscovery.h"
#include "Conversions.h"
#include "DataSource.h"
#include "Module2.h"
#include "PrefixNote.h"
#include "Registry.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace tintaro {

namespace {

constexpr int kFailure = 1;
constexpr int kBadUsage = 2;

// The options and what --help says of them.
void describe(QCommandLineParser& parser) {
    QString about = QStringLiteral("Sets the colour of a Messenger account's instant messages.\n"
                                   "Without options it opens the account list.\n");
#ifdef Q_OS_WIN
    about += QStringLiteral("On Windows the current user's registry is used: there is no "
                            "--prefix option.\n");
#endif
    parser.setApplicationDescription(
        about + QStringLiteral("\nExit status: 0 done, 1 failure, 2 bad usage."));
    QList<QCommandLineOption> options{
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QStringLiteral("Show the version and exit.")},
        {QStringLiteral("list"),
         QStringLiteral("Print the accounts as the list shows them (folder: e-mail), one per "
                        "line, and exit.")},
        {QStringLiteral("set"),
         QStringLiteral("Store COLOUR as the message colour of ACCOUNT (a folder name as --list "
                        "prints it) without opening a window. COLOUR is #RRGGBB or the decimal "
                        "value the editor's \"Bin:\" field shows (red in the low byte)."),
         QStringLiteral("ACCOUNT")},
        {QStringLiteral("get"),
         QStringLiteral("Print the stored colour of ACCOUNT as #RRGGBB and decimal, or \"not "
                        "set\"."),
         QStringLiteral("ACCOUNT")}};
#ifndef Q_OS_WIN
    options.insert(2, {QStringLiteral("prefix"),
                       QStringLiteral("Use the Wine prefix DIR. Without it: $WINEPREFIX, else "
                                      "~/.wine."),
                       QStringLiteral("DIR")});
#endif
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("COLOUR"),
                                 QStringLiteral("The colour, with --set."),
                                 QStringLiteral("[COLOUR]"));
}

// The stored value keeps red in the low byte; #RRGGBB has it first.
std::uint32_t swapRedBlue(std::uint32_t value) {
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// "#RRGGBB" or a decimal colour value, as the value stored.
std::optional<int> parseColour(const QString& text) {
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("#[0-9A-Fa-f]{6}|[0-9]{1,8}")));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    if (text.front() == QLatin1Char('#'))
        return static_cast<int>(swapRedBlue(text.mid(1).toUInt(nullptr, 16)));
    const uint value = text.toUInt();
    return value <= 0xFFFFFF ? std::optional<int>(static_cast<int>(value)) : std::nullopt;
}

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

void fail(const QString& message) {
    print(stderr, QStringLiteral("tintaro: ") + message + QLatin1Char('\n'));
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine line;
    const auto done = [&line](CommandLine::Action action, const QString& error = {}) {
        line.action = action;
        line.error = error;
        return line;
    };
    const auto badUsage = [&done](const QString& error) {
        return done(CommandLine::Action::BadUsage, error);
    };
    // The value of an option given once, else nothing.
    const auto only = [&parser](const char* option) {
        const QStringList values = parser.values(QLatin1String(option));
        return values.size() == 1 ? std::optional(values.front()) : std::nullopt;
    };
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return done(CommandLine::Action::Help);
    if (parser.isSet(QStringLiteral("version")))
        return done(CommandLine::Action::Version);
#ifndef Q_OS_WIN
    if (parser.isSet(QStringLiteral("prefix"))) {
        line.prefix = only("prefix").value_or(QString());
        if (line.prefix.isEmpty())
            return badUsage(QStringLiteral("--prefix takes one folder."));
    }
#endif
    const bool list = parser.isSet(QStringLiteral("list"));
    const bool set = parser.isSet(QStringLiteral("set"));
    const bool get = parser.isSet(QStringLiteral("get"));
    if (int(list) + int(set) + int(get) > 1)
        return badUsage(QStringLiteral("--list, --set and --get go one at a time."));
    const QStringList positional = parser.positionalArguments();
    if (set) {
        const auto account = only("set");
        if (!account || positional.size() != 1)
            return badUsage(QStringLiteral("--set takes an ACCOUNT and a COLOUR."));
        const auto colour = parseColour(positional.front());
        if (!colour)
            return badUsage(QStringLiteral("Bad colour '%1': give #RRGGBB or a decimal value "
                                           "from 0 to 16777215.")
                                .arg(positional.front()));
        line.account = *account;
        line.colour = *colour;
        return done(CommandLine::Action::Set);
    }
    if (!positional.isEmpty())
        return badUsage(QStringLiteral("Unexpected argument '%1'.").arg(positional.front()));
    if (get) {
        const auto account = only("get");
        if (!account)
            return badUsage(QStringLiteral("--get takes one ACCOUNT."));
        line.account = *account;
        return done(CommandLine::Action::Get);
    }
    return done(list ? CommandLine::Action::List : CommandLine::Action::Window);
}

void usePrefix(const CommandLine& line) {
    if (line.prefix.isEmpty())
        return;
    // Wine takes only a whole path; the variable also reaches the Wine the registry runs.
    qputenv("WINEPREFIX", QFile::encodeName(QFileInfo(line.prefix).absoluteFilePath()));
}

int runCommand(const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Window:
        return kBadUsage;
    case CommandLine::Action::Help: {
        QCommandLineParser parser;
        describe(parser);
        print(stdout, parser.helpText());
        return 0;
    }
    case CommandLine::Action::BadUsage:
        fail(line.error + QStringLiteral("\nTry 'tintaro --help'."));
        return kBadUsage;
    case CommandLine::Action::Version:
        print(stdout, QStringLiteral("tintaro " TINTARO_VERSION "\n"));
        return 0;
    default:
        break;
    }

    const auto accounts = account::discoverAccounts(currentFileSystem(), currentAppDataFolder());
    if (accounts.empty()) {
        print(stderr, emptyListNote() + QLatin1Char('\n'));
        return kFailure;
    }
    if (line.action == CommandLine::Action::List) {
        for (const auto& entry : accounts)
            print(stdout, accountListLine(entry) + QLatin1Char('\n'));
        return 0;
    }
    const std::string folder = line.account.toStdString();
    const auto entry = std::find_if(accounts.begin(), accounts.end(),
                                    [&folder](const auto& a) { return a.folderName == folder; });
    if (entry == accounts.end()) {
        fail(QStringLiteral("No account '%1' in %2 (tintaro --list shows them).")
                 .arg(line.account, placeShown()));
        return kBadUsage;
    }
    const std::string keyPath = Module2::imColorKey(conv::currencyToText(entry->number));

    if (line.action == CommandLine::Action::Get) {
        const StoredColour stored = readStoredColour(keyPath);
        if (!stored.error.isEmpty()) {
            fail(QStringLiteral("Could not read the colour of account %1: %2")
                     .arg(line.account, stored.error));
            return kFailure;
        }
        const std::uint32_t value = stored.value.value_or(0);
        print(stdout, stored.value ? QStringLiteral("#%1 %2\n")
                                         .arg(swapRedBlue(value), 6, 16, QLatin1Char('0'))
                                         .toUpper()
                                         .arg(value)
                                   : QStringLiteral("not set\n"));
        return 0;
    }

    Registry& registry = currentRegistry();
    if (const long error = Module2::WriteRegDword(registry, kHkeyCurrentUser, keyPath,
                                                  Module2::kImColor, line.colour);
        error != kErrorSuccess) {
        fail(QStringLiteral("Could not store the colour of account %1. %2")
                 .arg(line.account, QString::fromStdString(registry.describeFailure(error))));
        return kFailure;
    }
    return 0;
}

} // namespace tintaro
