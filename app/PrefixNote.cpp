// SPDX-License-Identifier: MIT
#include "PrefixNote.h"

#include "AccountDiscovery.h"

#include <QDir>
#include <QFileInfo>

namespace tintaro {

QString shownPath(const std::filesystem::path& path) {
    return QDir::toNativeSeparators(QFileInfo(path).filePath());
}

QString accountListLine(const account::AccountEntry& entry) {
    QString line = QString::fromStdU16String(account::accountLine(entry));
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    return line;
}

} // namespace tintaro
