// SPDX-License-Identifier: MIT
#include "ClassicLook.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace {

constexpr Qt::WindowFlags kButtons = Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

Q_DECLARE_METATYPE(Qt::WindowFlags)

class FixedWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sizeAndButtons_data() {
        QTest::addColumn<Qt::WindowFlags>("before");
        QTest::addColumn<Qt::WindowFlags>("kept");
        QTest::newRow("plain window") << Qt::WindowFlags(Qt::Window) << Qt::WindowFlags();
        QTest::newRow("kept on top")
            << (Qt::Window | Qt::WindowStaysOnTopHint) << Qt::WindowFlags(Qt::WindowStaysOnTopHint);
        QTest::newRow("asked for every button")
            << (Qt::Window | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)
            << Qt::WindowFlags();
    }

    void sizeAndButtons() {
        QFETCH(Qt::WindowFlags, before);
        QFETCH(Qt::WindowFlags, kept);
        QWidget window(nullptr, before);
        tintaro::setFixedWindowSize(&window, 145, 89);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.size(), QSize(145, 89));
        QCOMPARE(window.minimumSize(), QSize(145, 89));
        QCOMPARE(window.maximumSize(), QSize(145, 89));
        QCOMPARE(window.windowType(), Qt::Window);
        QCOMPARE(window.windowFlags() & ~Qt::WindowType_Mask, kButtons | kept);
        // The native window gets the same hints, so the window manager is told.
        QCOMPARE(window.windowHandle()->flags() & ~Qt::WindowType_Mask, kButtons | kept);
    }
};

QTEST_MAIN(FixedWindowTest)
#include "FixedWindowTest.moc"
