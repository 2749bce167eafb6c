// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "AccountDiscovery.h"
#include "Console.h"
#include "Conversions.h"
#include "DataSource.h"
#include "Module2.h"
#include "PrefixNote.h"
#include "Registry.h"
#include "frmPrincipal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <optional>

namespace tintaro {

namespace {

// What the arguments ask for.
struct CommandLine {
    enum class Action { Window, Help, Version, List, Set, Get, BadUsage };
    Action action = Action::Window;
    QString account = {}; // --set, --get
    int colour = 0;       // --set: the colour value stored (red in the low byte)
    QString error = {};   // BadUsage: what is wrong
};

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
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QStringLiteral("Show the version and exit.")},
#ifndef Q_OS_WIN
        {QStringLiteral("prefix"),
         QStringLiteral("Use the Wine prefix DIR. Without it: $WINEPREFIX, else ~/.wine."),
         QStringLiteral("DIR")},
#endif
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
         QStringLiteral("ACCOUNT")},
    });
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

// Prints the program's complaint; gives `status` back.
int fail(const QString& message, int status) {
    QTextStream(stderr) << "tintaro: " << message << '\n';
    return status;
}

CommandLine parseCommandLine(const QStringList& arguments) {
    using enum CommandLine::Action;
    QCommandLineParser parser;
    describe(parser);
    const auto badUsage = [](const QString& error) {
        return CommandLine{.action = BadUsage, .error = error};
    };
    // The value of an option given once, else nothing.
    const auto only = [&parser](const char* option) {
        const QStringList values = parser.values(QLatin1String(option));
        return values.size() == 1 ? std::optional(values.front()) : std::nullopt;
    };
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    if (parser.isSet(QStringLiteral("help")))
        return {.action = Help};
    if (parser.isSet(QStringLiteral("version")))
        return {.action = Version};
#ifndef Q_OS_WIN
    if (parser.isSet(QStringLiteral("prefix"))) {
        const QString prefix = only("prefix").value_or(QString());
        if (prefix.isEmpty())
            return badUsage(QStringLiteral("--prefix takes one folder."));
        // Wine takes only a whole path; the variable also reaches the Wine the registry runs.
        qputenv("WINEPREFIX", QFile::encodeName(QFileInfo(prefix).absoluteFilePath()));
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
        return {.action = Set, .account = *account, .colour = *colour};
    }
    if (!positional.isEmpty())
        return badUsage(QStringLiteral("Unexpected argument '%1'.").arg(positional.front()));
    if (get) {
        const auto account = only("get");
        if (!account)
            return badUsage(QStringLiteral("--get takes one ACCOUNT."));
        return {.action = Get, .account = *account};
    }
    return {.action = list ? List : Window};
}

int runCommand(const CommandLine& line) {
    using enum CommandLine::Action;
    if (line.action == Help) {
        QCommandLineParser parser;
        describe(parser);
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (line.action == Version) {
        QTextStream(stdout) << "tintaro " TINTARO_VERSION "\n";
        return 0;
    }
    if (line.action == BadUsage)
        return fail(line.error + QStringLiteral("\nTry 'tintaro --help'."), kBadUsage);

    const auto accounts = account::discoverAccounts(currentFileSystem(), currentAppDataFolder());
    if (accounts.empty()) {
        QTextStream(stderr) << emptyListNote() << '\n';
        return kFailure;
    }
    if (line.action == List) {
        QTextStream out(stdout);
        for (const auto& entry : accounts)
            out << accountListLine(entry) << '\n';
        return 0;
    }
    const auto entry =
        std::ranges::find(accounts, line.account.toStdString(), &account::AccountEntry::folderName);
    if (entry == accounts.end())
        return fail(QStringLiteral("No account '%1' in %2 (tintaro --list shows them).")
                        .arg(line.account, placeShown()),
                    kBadUsage);
    const std::string keyPath = Module2::imColorKey(conv::currencyToText(entry->number));

    if (line.action == Get) {
        const StoredColour stored = readStoredColour(keyPath);
        if (!stored.error.isEmpty())
            return fail(QStringLiteral("Could not read the colour of account %1: %2")
                            .arg(line.account, stored.error),
                        kFailure);
        QTextStream out(stdout);
        if (!stored.value)
            out << "not set\n";
        else
            out << QStringLiteral("#%1 %2\n")
                       .arg(swapRedBlue(*stored.value), 6, 16, QLatin1Char('0'))
                       .toUpper()
                       .arg(*stored.value);
        return 0;
    }

    Registry& registry = currentRegistry();
    if (const long error = Module2::WriteRegDword(registry, kHkeyCurrentUser, keyPath,
                                                  Module2::kImColor, line.colour);
        error != kErrorSuccess)
        return fail(QStringLiteral("Could not store the colour of account %1. %2")
                        .arg(line.account, QString::fromStdString(registry.describeFailure(error))),
                    kFailure);
    return 0;
}

} // namespace

std::optional<int> runCommandLine(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action == CommandLine::Action::Window)
        return std::nullopt;
    attachToParentConsole();
    QCoreApplication app(argc, argv);
    return runCommand(line);
}

} // namespace tintaro
