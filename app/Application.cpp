// SPDX-License-Identifier: MIT
#include "Application.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace tintaro {

namespace {

// The program's icon, 16, 32 and 48 pixels.
QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/app/icon%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace tintaro
