// SPDX-License-Identifier: MIT
// What the desktop knows the program by: the entry its windows belong to and their icon.
#include "Application.h"

#include "Form1.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTest>

namespace {

const QString kResources = QStringLiteral(TINTARO_SOURCE_DIR "/resources/");

} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tintaro::setUpApplication(); }

    // The windows name the desktop entry that is installed, and the entry names the window
    // class the toolkit gives them (the application's name), so task bars can match either way.
    void belongsToItsDesktopEntry() {
        const QString entry =
            kResources + QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
        QVERIFY2(QFile::exists(entry), qPrintable(entry));
        QSettings desktop(entry, QSettings::IniFormat);
        QCOMPARE(desktop.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString(),
                 QApplication::applicationName());
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Tintaro"));
    }

    void iconIsTheInstalledArtwork_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48})
            QTest::addRow("%d px", size) << size;
    }

    void iconIsTheInstalledArtwork() {
        QFETCH(int, size);
        const QImage png(kResources + QStringLiteral("icons/png/tintaro-%1.png").arg(size));
        QCOMPARE(png.size(), QSize(size, size));
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage shown = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }

    // Windows without an icon of their own show the program's; the editor keeps its own.
    void windowsShowTheIcon() {
        QWidget plain;
        QCOMPARE(plain.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        tintaro::Form1 editor;
        QCOMPARE(editor.windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    }
};

QTEST_MAIN(ApplicationTest)
#include "ApplicationTest.moc"
