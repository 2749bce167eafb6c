// SPDX-License-Identifier: MIT
// The account list's and the command line's words for a Wine prefix, and the stored colour read
// the way the store writes it: through Wine while a wineserver runs, else from user.reg.
#include "AccountDiscovery.h"
#include "FileSystem.h"
#include "Module2.h"
#include "PrefixNote.h"
#include "UserRegFile.h"
#include "WinePrefix.h"
#include "WineServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <cstdlib>

namespace tintaro {

namespace {

// A file path as the user reads it.
QString shownPath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QFileInfo(path).filePath());
}

// Asks the running Wine, which holds the registry while its server runs.
StoredColour readThroughWine(const std::filesystem::path& prefix, const std::string& keyPath) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), shownPath(prefix));
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    const QString name = QString::fromUtf8(Module2::kImColor);
    const QStringList args{QStringLiteral("reg"), QStringLiteral("query"),
                           QStringLiteral("HKCU\\") + QString::fromStdString(keyPath),
                           QStringLiteral("/v"), name};
    const QString where = QStringLiteral("wine reg query (prefix %1): ").arg(shownPath(prefix));
    for (const std::string& loader : wineLoaders(WineServer(), prefix, "wine")) {
        QProcess wine;
        wine.setProcessEnvironment(env);
        wine.setStandardInputFile(QProcess::nullDevice());
        wine.start(QFile::decodeName(loader.c_str()), args);
        if (!wine.waitForStarted())
            continue;
        if (!wine.waitForFinished(10000)) // the QProcess kills it as it goes
            return {{}, where + QStringLiteral("Wine did not answer in time")};
        if (wine.exitStatus() != QProcess::NormalExit)
            return {{}, where + QStringLiteral("wine crashed")};
        // reg's answer for a missing key or value is status 1; the loader fails with 1 too, but
        // says so as "wine: ..." or "wine client error: ...".
        const QString complaint = QString::fromLocal8Bit(wine.readAllStandardError()).trimmed();
        if (wine.exitCode() == 1)
            return complaint.startsWith(QStringLiteral("wine"))
                       ? StoredColour{{}, where + complaint}
                       : StoredColour{};
        if (wine.exitCode() != 0)
            return {{}, where + QStringLiteral("exit status %1").arg(wine.exitCode())};
        static const QRegularExpression line(
            QStringLiteral("^\\s*%1\\s+REG_DWORD\\s+(0x[0-9a-f]+)\\s*$").arg(name),
            QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
        bool ok = false;
        const uint value =
            line.match(QString::fromUtf8(wine.readAllStandardOutput())).captured(1).toUInt(&ok, 0);
        return ok ? StoredColour{value, {}}
                  : StoredColour{{}, where + QStringLiteral("no REG_DWORD value in its answer")};
    }
    return {{}, where + QStringLiteral("the wine program was not found")};
}

// Reads user.reg as Wine's loader would; the last definition of the value is the one it keeps.
StoredColour readUserReg(const std::filesystem::path& prefix, const std::string& keyPath) {
    const std::filesystem::path file = prefix / "user.reg";
    const QString where = shownPath(file) + QStringLiteral(": ");
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return {};
    const auto opened = openUnixFile(file);
    if (!opened)
        return {{}, where + QStringLiteral("cannot be opened")};
    if (static_cast<std::uint64_t>(opened->length()) > kUserRegMaxSize)
        return {{}, where + QStringLiteral("too large")};
    const auto bytes = opened->readAt(0, static_cast<std::size_t>(opened->length()));
    const auto contents = UserRegFile::read(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!contents)
        return {{}, where + QStringLiteral("not a registry file Wine would load")};
    const UserRegFile::Value* found = UserRegFile::find(*contents, keyPath, Module2::kImColor);
    if (!found)
        return {};
    if (const auto value = UserRegFile::dwordValue(found->data))
        return {*value, {}};
    return {
        {},
        where +
            QStringLiteral("%1 is not a DWORD value").arg(QString::fromUtf8(Module2::kImColor))};
}

} // namespace

QString emptyListNote() {
    // Why the prefix lists no account, in PrefixState's order.
    static const char* const kWhy[] = {
        "No existe el prefijo de Wine %1.",
        "El prefijo de Wine %1 no tiene user.reg.",
        "El prefijo de Wine %1 no tiene la carpeta AppData (%2).",
        "El prefijo de Wine %1 no tiene carpeta de datos de Messenger (%2).",
        "No se encontró ninguna cuenta de Messenger en el prefijo de Wine %1.",
    };
    const std::filesystem::path prefix = currentWinePrefix();
    const PrefixCheck check = checkPrefix(prefix, account::kMessengerSubfolder);
    QString note = QString::fromUtf8(kWhy[static_cast<int>(check.state)]).arg(shownPath(prefix));
    if (!check.missingFolder.empty())
        note = note.arg(shownPath(check.missingFolder));
    note += QStringLiteral("\nOtro prefijo: tintaro --prefix CARPETA, o la variable WINEPREFIX.");

    // The prefixes of other Wine front-ends that hold accounts, as commands quoted for a POSIX
    // shell, to be pasted as they are.
    QString found;
    const char* home = std::getenv("HOME");
    for (const auto& other : frontEndPrefixes(home && *home ? home : "/")) {
        std::error_code error;
        if (!std::filesystem::equivalent(other, prefix, error) &&
            !account::discoverAccounts(FileSystem(other), appDataFolder(other)).empty())
            found += QStringLiteral("\ntintaro --prefix '%1'")
                         .arg(shownPath(other).replace(QLatin1Char('\''), QStringLiteral("'\\''")));
    }
    if (!found.isEmpty())
        note += QStringLiteral("\nPrefijos con cuentas de Messenger:") + found;
    return note;
}

QString placeShown() {
    return QStringLiteral("the Wine prefix ") + shownPath(currentWinePrefix());
}

StoredColour readStoredColour(const std::string& keyPath) {
    const std::filesystem::path prefix = currentWinePrefix();
    return WineServer().isRunning(prefix) ? readThroughWine(prefix, keyPath)
                                          : readUserReg(prefix, keyPath);
}

} // namespace tintaro
