#include "Application.h"

#include "Artwork.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

namespace tintaro {

namespace {

// The program's icon, 16, 32 and 48 pixels.
QIcon applicationIcon() {
    QIcon icon;
    for (const EmbeddedImage* size : {&artwork::icon16, &artwork::icon32, &artwork::icon48})
        icon.addPixmap(QPixmap::fromImage(size->image()));
    return icon;
}

} // namespace

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace tintaro
