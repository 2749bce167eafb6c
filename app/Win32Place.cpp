// SPDX-License-Identifier: MIT
// The account list's and the command line's words for the user's own profile, and the stored
// colour read from the user's registry.
#include "DataSource.h"
#include "Module2.h"
#include "PrefixNote.h"
#include "RegErrors.h"
#include "Registry.h"
#include "Win32Registry.h"

namespace tintaro {

QString emptyListNote() {
    return QStringLiteral("No se encontró ninguna cuenta de Messenger en la carpeta %1.")
        .arg(QString::fromStdString(currentAppDataFolder()));
}

QString placeShown() {
    return QStringLiteral("the folder ") + QString::fromStdString(currentAppDataFolder());
}

StoredColour readStoredColour(const std::string& keyPath) {
    std::uint32_t value = 0;
    const long code = Win32Registry::getDword(kHkeyCurrentUser, keyPath, Module2::kImColor, value);
    if (code == kErrorSuccess)
        return {value, {}};
    if (code == RegErrors::kFileNotFound)
        return {};
    return {{},
            QStringLiteral("HKEY_CURRENT_USER\\%1: %2")
                .arg(QString::fromStdString(keyPath), QString::fromStdString(failureReason(code)))};
}

} // namespace tintaro
