#include "CommandLine.h"

#include "AccountDiscovery.h"
#include "Conversions.h"
#include "FileSystem.h"
#include "Module2.h"
#include "PrefixNote.h"
#include "Registry.h"
#include "UserRegFile.h"
#include "WinePrefix.h"
#include "WineServer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace tintaro {

namespace {

// Where the editor's apply button stores an account's colour: this key plus the account number.
constexpr std::string_view kValueName = Module2::kImColor;

constexpr int kFailure = 1;
constexpr int kBadUsage = 2;

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
#ifndef Q_OS_WIN
    QCommandLineOption prefix{
        QStringLiteral("prefix"),
        QStringLiteral("Use the Wine prefix DIR. Without it: $WINEPREFIX, else ~/.wine."),
        QStringLiteral("DIR")};
#endif
    QCommandLineOption list{
        QStringLiteral("list"),
        QStringLiteral("Print the accounts as the list shows them (folder: e-mail), one per "
                       "line, and exit.")};
    QCommandLineOption set{
        QStringLiteral("set"),
        QStringLiteral("Store COLOUR as the message colour of ACCOUNT (a folder name as --list "
                       "prints it) without opening a window. COLOUR is #RRGGBB or the decimal "
                       "value the editor's \"Bin:\" field shows (red in the low byte)."),
        QStringLiteral("ACCOUNT")};
    QCommandLineOption get{QStringLiteral("get"),
                           QStringLiteral("Print the stored colour of ACCOUNT as #RRGGBB and "
                                          "decimal, or \"not set\"."),
                           QStringLiteral("ACCOUNT")};

    void addTo(QCommandLineParser& parser) const {
        QString about =
            QStringLiteral("Sets the colour of a Messenger account's instant messages.\n"
                           "Without options it opens the account list.\n");
#ifdef Q_OS_WIN
        about += QStringLiteral("On Windows the current user's registry is used: there is no "
                                "--prefix option.\n");
#endif
        about += QStringLiteral("\nExit status: 0 done, 1 failure, 2 bad usage.");
        parser.setApplicationDescription(about);
        parser.addOption(help);
        parser.addOption(version);
#ifndef Q_OS_WIN
        parser.addOption(prefix);
#endif
        parser.addOption(list);
        parser.addOption(set);
        parser.addOption(get);
        parser.addPositionalArgument(QStringLiteral("COLOUR"),
                                     QStringLiteral("The colour, with --set."),
                                     QStringLiteral("[COLOUR]"));
    }
};

// "#RRGGBB" (web order) or a decimal colour value, as the value stored: red in the low byte.
std::optional<int> parseColour(const QString& text) {
    bool ok = false;
    if (text.size() == 7 && text.front() == QLatin1Char('#')) {
        for (const QChar c : text.mid(1)) {
            const char16_t u = c.unicode();
            if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
                return std::nullopt;
        }
        const uint rgb = text.mid(1).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return static_cast<int>((rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value > 0xFFFFFF)
        return std::nullopt;
    return static_cast<int>(value);
}

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

void fail(const QString& message) {
    print(stderr, QStringLiteral("tintaro: ") + message + QLatin1Char('\n'));
}

QString shown(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

QString colourText(std::uint32_t value) {
    const std::uint32_t rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
    return QStringLiteral("#%1 %2").arg(rgb, 6, 16, QLatin1Char('0')).toUpper().arg(value);
}

struct Stored {
    bool ok = false;    // false: reading failed, `error` says why
    bool isSet = false; // the value exists
    std::uint32_t value = 0;
    QString error;
};

// Asks the running Wine, which holds the registry while its server runs.
Stored readThroughWine(const std::filesystem::path& prefix, const std::string& keyPath) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), shown(prefix));
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    // A server answers only a Wine of its own version: the one installed beside it first.
    QStringList loaders;
    const std::filesystem::path server = WineServer().program(prefix);
    if (!server.empty())
        loaders << shown(server.parent_path() / "wine");
    loaders << QStringLiteral("wine");
    if (!server.empty())
        loaders << shown(server.parent_path() / "wine64");
    const QStringList args{QStringLiteral("reg"), QStringLiteral("query"),
                           QStringLiteral("HKCU\\") + QString::fromStdString(keyPath),
                           QStringLiteral("/v"), QString::fromUtf8(kValueName)};
    const QString where = QStringLiteral("wine reg query (prefix %1)").arg(shown(prefix));
    for (const QString& loader : loaders) {
        QProcess wine;
        wine.setProcessEnvironment(env);
        wine.setStandardInputFile(QProcess::nullDevice());
        wine.start(loader, args);
        if (!wine.waitForStarted())
            continue;
        if (!wine.waitForFinished(10000)) {
            wine.kill();
            wine.waitForFinished();
            return {false, false, 0, where + QStringLiteral(": Wine did not answer in time")};
        }
        if (wine.exitStatus() != QProcess::NormalExit)
            return {false, false, 0, where + QStringLiteral(": wine crashed")};
        // reg's answer for a missing key or value; the loader fails with 1 too, but says so as
        // "wine: ..." or "wine client error: ...".
        const QString complaint = QString::fromLocal8Bit(wine.readAllStandardError()).trimmed();
        if (wine.exitCode() == 1 && !complaint.startsWith(QStringLiteral("wine")))
            return {true, false, 0, {}};
        if (wine.exitCode() == 1)
            return {false, false, 0, where + QStringLiteral(": ") + complaint};
        if (wine.exitCode() != 0)
            return {false, false, 0,
                    where + QStringLiteral(": exit status %1").arg(wine.exitCode())};
        const QStringList lines =
            QString::fromUtf8(wine.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            const QStringList words = line.simplified().split(QLatin1Char(' '));
            if (words.size() == 4 && words[2] == QStringLiteral("REG_DWORD") &&
                (words[0] + QLatin1Char(' ') + words[1])
                        .compare(QString::fromUtf8(kValueName), Qt::CaseInsensitive) == 0) {
                bool ok = false;
                const uint value = words[3].toUInt(&ok, 0);
                if (ok)
                    return {true, true, value, {}};
            }
        }
        return {false, false, 0, where + QStringLiteral(": no REG_DWORD value in its answer")};
    }
    return {false, false, 0, where + QStringLiteral(": the wine program was not found")};
}

bool equalsIgnoringAsciiCase(std::u16string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Reads user.reg as Wine's loader would.
Stored readUserReg(const std::filesystem::path& prefix, const std::string& keyPath) {
    const std::filesystem::path file = prefix / "user.reg";
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return {true, false, 0, {}};
    const auto opened = openUnixFile(file);
    if (!opened)
        return {false, false, 0, shown(file) + QStringLiteral(": cannot be opened")};
    if (static_cast<std::uint64_t>(opened->length()) > kUserRegMaxSize)
        return {false, false, 0, shown(file) + QStringLiteral(": too large")};
    const auto bytes = opened->readFromStart(static_cast<std::size_t>(opened->length()));
    const auto contents = UserRegFile::read(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!contents)
        return {false, false, 0,
                shown(file) + QStringLiteral(": not a registry file Wine would load")};
    const UserRegFile::Value* found = nullptr;
    for (const auto& value : contents->values)
        if (equalsIgnoringAsciiCase(value.key, keyPath) &&
            equalsIgnoringAsciiCase(value.name, kValueName))
            found = &value;
    if (!found)
        return {true, false, 0, {}};
    const std::string_view data = found->data;
    std::uint32_t value = 0;
    const char* digits = data.data() + 6;
    const auto [end, ec] = std::from_chars(digits, data.data() + data.size(), value, 16);
    if (!data.starts_with("dword:") || ec != std::errc() || end == digits ||
        end != data.data() + data.size())
        return {false, false, 0,
                shown(file) +
                    QStringLiteral(": %1 is not a DWORD value").arg(QString::fromUtf8(kValueName))};
    return {true, true, value, {}};
}

int listAccounts(const std::filesystem::path& prefix,
                 const std::vector<account::AccountEntry>& accounts) {
    if (accounts.empty()) {
        print(stderr, noAccountsNote(prefix) + QLatin1Char('\n'));
        return kFailure;
    }
    for (const auto& entry : accounts) {
        // One line each, as in the list: control characters show as replacement marks.
        QString line = QString::fromStdU16String(account::accountLine(entry));
        for (QChar& c : line)
            if (c.category() == QChar::Other_Control)
                c = QChar::ReplacementCharacter;
        print(stdout, line + QLatin1Char('\n'));
    }
    return 0;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    CommandLine line;
    const auto badUsage = [&line](const QString& error) {
        line.action = CommandLine::Action::BadUsage;
        line.error = error;
        return line;
    };
    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    if (parser.isSet(options.help)) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (parser.isSet(options.version)) {
        line.action = CommandLine::Action::Version;
        return line;
    }
#ifndef Q_OS_WIN
    if (parser.isSet(options.prefix)) {
        const QStringList prefixes = parser.values(options.prefix);
        if (prefixes.size() != 1 || prefixes.front().isEmpty())
            return badUsage(QStringLiteral("--prefix takes one folder."));
        line.prefix = prefixes.front();
    }
#endif
    const int actions = int(parser.isSet(options.list)) + int(parser.isSet(options.set)) +
                        int(parser.isSet(options.get));
    if (actions > 1)
        return badUsage(QStringLiteral("--list, --set and --get go one at a time."));
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(options.set)) {
        const QStringList accounts = parser.values(options.set);
        if (accounts.size() != 1 || positional.size() != 1)
            return badUsage(QStringLiteral("--set takes an ACCOUNT and a COLOUR."));
        const auto colour = parseColour(positional.front());
        if (!colour)
            return badUsage(QStringLiteral("Bad colour '%1': give #RRGGBB or a decimal value "
                                           "from 0 to 16777215.")
                                .arg(positional.front()));
        line.action = CommandLine::Action::Set;
        line.account = accounts.front();
        line.colour = *colour;
        return line;
    }
    if (!positional.isEmpty())
        return badUsage(QStringLiteral("Unexpected argument '%1'.").arg(positional.front()));
    if (parser.isSet(options.get)) {
        const QStringList accounts = parser.values(options.get);
        if (accounts.size() != 1)
            return badUsage(QStringLiteral("--get takes one ACCOUNT."));
        line.action = CommandLine::Action::Get;
        line.account = accounts.front();
    } else if (parser.isSet(options.list)) {
        line.action = CommandLine::Action::List;
    }
    return line;
}

void usePrefix(const CommandLine& line) {
    if (line.prefix.isEmpty())
        return;
    // Wine takes only a whole path; the variable also reaches the Wine the registry runs.
    std::error_code error;
    const std::filesystem::path given(QFile::encodeName(line.prefix).toStdString());
    const auto absolute = std::filesystem::absolute(given, error);
    qputenv("WINEPREFIX", QByteArray((error ? given : absolute).c_str()));
}

int runCommand(const CommandLine& line) {
    switch (line.action) {
    case CommandLine::Action::Window:
        return kBadUsage;
    case CommandLine::Action::Help:
    case CommandLine::Action::BadUsage: {
        QCommandLineParser parser;
        Options().addTo(parser);
        if (line.action == CommandLine::Action::Help) {
            print(stdout, parser.helpText());
            return 0;
        }
        fail(line.error + QStringLiteral("\nTry 'tintaro --help'."));
        return kBadUsage;
    }
    case CommandLine::Action::Version:
        print(stdout, QStringLiteral("tintaro " TINTARO_VERSION "\n"));
        return 0;
    default:
        break;
    }

    const std::filesystem::path prefix = currentWinePrefix();
    const auto accounts = account::discoverAccounts(FileSystem(prefix), appDataFolder(prefix));
    if (line.action == CommandLine::Action::List)
        return listAccounts(prefix, accounts);
    if (accounts.empty()) {
        print(stderr, noAccountsNote(prefix) + QLatin1Char('\n'));
        return kFailure;
    }
    const std::string folder = line.account.toStdString();
    const auto entry = std::find_if(accounts.begin(), accounts.end(),
                                    [&folder](const auto& a) { return a.folderName == folder; });
    if (entry == accounts.end()) {
        fail(QStringLiteral("No account '%1' in the Wine prefix %2 (tintaro --list shows them).")
                 .arg(line.account, shown(prefix)));
        return kBadUsage;
    }
    const std::string keyPath = Module2::imColorKey(conv::currencyToText(entry->number));
    const bool throughWine = WineServer().isRunning(prefix);

    if (line.action == CommandLine::Action::Get) {
        const Stored stored =
            throughWine ? readThroughWine(prefix, keyPath) : readUserReg(prefix, keyPath);
        if (!stored.ok) {
            fail(QStringLiteral("Could not read the colour of account %1: %2")
                     .arg(line.account, stored.error));
            return kFailure;
        }
        print(stdout, (stored.isSet ? colourText(stored.value) : QStringLiteral("not set")) +
                          QLatin1Char('\n'));
        return 0;
    }

    Registry& registry = currentRegistry();
    if (const long error =
            Module2::WriteRegDword(registry, kHkeyCurrentUser, keyPath, kValueName, line.colour);
        error != kErrorSuccess) {
        fail(QStringLiteral("Could not store the colour of account %1. %2")
                 .arg(line.account, QString::fromStdString(registry.describeFailure(error))));
        return kFailure;
    }
    return 0;
}

} // namespace tintaro
