#include "app/Application.h"

#include "app/Artwork.h"

#include <QApplication>
#include <QPixmap>

namespace tintaro {

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Tintaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTARO_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
}

QIcon applicationIcon() {
    QIcon icon;
    for (const EmbeddedImage* size : {&artwork::icon16, &artwork::icon32, &artwork::icon48})
        icon.addPixmap(QPixmap::fromImage(size->image()));
    return icon;
}

} // namespace tintaro
