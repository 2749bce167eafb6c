// SPDX-License-Identifier: MIT
#include "Application.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace tintaro {

namespace {

// The program's icon, 16, 32 and 48 pixels.
QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(appPicture(QStringLiteral("icon%1.bmp").arg(size)));
    return icon;
}

} // namespace

QPixmap appPicture(const QString& name) {
    // Kept as BMP, which reads at start without decompressing, and read as such: a reader left
    // to guess loads and asks every image plug-in first.
    QImageReader reader(QStringLiteral(":/app/") + name, "bmp");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace tintaro
