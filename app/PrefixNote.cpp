#include "PrefixNote.h"

#include "AccountDiscovery.h"
#include "FileSystem.h"
#include "PrefixSearch.h"
#include "WinePrefix.h"

#include <QFile>
#include <cstdlib>

namespace tintaro {

QString shownPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

QString accountListLine(const account::AccountEntry& entry) {
    QString line = QString::fromStdU16String(account::accountLine(entry));
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    return line;
}

QString noAccountsNote(const std::filesystem::path& prefix, const std::filesystem::path& home) {
    const PrefixCheck check = checkPrefix(prefix, account::kMessengerSubfolder);
    const QString where = shownPath(prefix);
    QString note;
    switch (check.state) {
    case PrefixState::Missing:
        note = QStringLiteral("No existe el prefijo de Wine %1.").arg(where);
        break;
    case PrefixState::NoUserReg:
        note = QStringLiteral("El prefijo de Wine %1 no tiene user.reg.").arg(where);
        break;
    case PrefixState::NoAppData:
        note = QStringLiteral("El prefijo de Wine %1 no tiene la carpeta AppData (%2).")
                   .arg(where, shownPath(check.missingFolder));
        break;
    case PrefixState::NoMessengerFolder:
        note = QStringLiteral("El prefijo de Wine %1 no tiene carpeta de datos de Messenger (%2).")
                   .arg(where, shownPath(check.missingFolder));
        break;
    case PrefixState::HasMessengerFolder:
        note =
            QStringLiteral("No se encontró ninguna cuenta de Messenger en el prefijo de Wine %1.")
                .arg(where);
        break;
    }
    note += QStringLiteral("\nOtro prefijo: tintaro --prefix CARPETA, o la variable WINEPREFIX.");

    QString found; // commands quoted for a POSIX shell, to be pasted as they are
    for (const auto& other : frontEndPrefixes(home)) {
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

QString noAccountsNote(const std::filesystem::path& prefix) {
    const char* home = std::getenv("HOME");
    return noAccountsNote(prefix, home && *home ? home : "/");
}

} // namespace tintaro
