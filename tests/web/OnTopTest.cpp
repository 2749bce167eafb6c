// SPDX-License-Identifier: MIT
#include "zel_votar.h"

#include <QTest>
#include <QWidget>

using tintaro::SetOnTop;

namespace {

// Counts the window's stacking changes (a raise sends one).
class ZOrderCounter : public QObject {
public:
    int changes = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        changes += event->type() == QEvent::ZOrderChange;
        return false;
    }
};

} // namespace

class OnTopTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void flagsAndVisibility_data() {
        QTest::addColumn<bool>("startOnTop");
        QTest::addColumn<bool>("startShown");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("endOnTop");
        QTest::newRow("-1 makes a shown window topmost") << false << true << -1 << true;
        QTest::newRow("-1 on a topmost window keeps it") << true << true << -1 << true;
        QTest::newRow("0 ends topmost") << true << true << 0 << false;
        QTest::newRow("0 on a normal window") << false << true << 0 << false;
        QTest::newRow("5 raises, keeps topmost") << true << true << 5 << true;
        QTest::newRow("5 raises, keeps normal") << false << true << 5 << false;
        QTest::newRow("1 is not true here") << false << true << 1 << false;
        QTest::newRow("-2 keeps topmost") << true << true << -2 << true;
        QTest::newRow("-2 keeps normal") << false << true << -2 << false;
        QTest::newRow("-1 shows a hidden window") << false << false << -1 << true;
        QTest::newRow("0 shows a hidden window") << true << false << 0 << false;
        QTest::newRow("5 shows a hidden window") << false << false << 5 << false;
    }
    void flagsAndVisibility() {
        QFETCH(bool, startOnTop);
        QFETCH(bool, startShown);
        QFETCH(int, flag);
        QFETCH(bool, endOnTop);
        QWidget window;
        window.setWindowFlag(Qt::WindowStaysOnTopHint, startOnTop);
        window.setGeometry(40, 50, 145, 89);
        if (startShown) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        const QRect geometry = window.geometry();

        SetOnTop(&window, static_cast<std::int16_t>(flag));

        QCOMPARE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), endOnTop);
        QVERIFY(window.isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.geometry(), geometry);
        // The attribute that shows it without activating is only borrowed.
        QVERIFY(!window.testAttribute(Qt::WA_ShowWithoutActivating));
        if (window.windowHandle())
            QCOMPARE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), endOnTop);
    }

    // A shown window whose topmost state does not change is brought to the front; one that is
    // shown by the call, or re-created for its new state, already is.
    void raisesAShownWindow_data() {
        QTest::addColumn<bool>("startShown");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("raised");
        QTest::newRow("5, shown") << true << 5 << true;
        QTest::newRow("-1 on a topmost window") << true << -1 << true;
        QTest::newRow("5, hidden") << false << 5 << false;
    }
    void raisesAShownWindow() {
        QFETCH(bool, startShown);
        QFETCH(int, flag);
        QFETCH(bool, raised);
        QWidget window;
        window.setWindowFlag(Qt::WindowStaysOnTopHint, flag == -1);
        if (startShown) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        ZOrderCounter counter;
        window.installEventFilter(&counter);
        SetOnTop(&window, static_cast<std::int16_t>(flag));
        QCOMPARE(counter.changes > 0, raised);
    }

    void keepsAWindowThatNeverActivates() {
        QWidget window;
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        SetOnTop(&window, -1);
        QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
    }

    void nullWindowIsIgnored() { SetOnTop(nullptr, -1); }
};

QTEST_MAIN(OnTopTest)
#include "OnTopTest.moc"
