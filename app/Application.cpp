// SPDX-License-Identifier: MIT
#include "Application.h"

#include "ClassicLook.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace tintaro {

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARO_APP_ID));
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(
            QPixmap::fromImage(resourcePicture(QStringLiteral(":/app/icon%1.rgba").arg(size))));
    QApplication::setWindowIcon(icon);
}

} // namespace tintaro
