// The editor's text box: key releases only for keys it saw pressed, focus loss only to another
// control of the program.
#include "editor/EventLineEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

using namespace tintaro;

class EventLineEditTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyUpOnlyForKeysPressedHere() {
        EventLineEdit field;
        QSignalSpy keyUps(&field, &EventLineEdit::keyUp);
        QTest::keyRelease(&field, Qt::Key_Return);
        QCOMPARE(keyUps.size(), 0);
        QTest::keyPress(&field, Qt::Key_A);
        QTest::keyPress(&field, Qt::Key_A, Qt::NoModifier, -1); // pressed again before its release
        QTest::keyRelease(&field, Qt::Key_A);
        QCOMPARE(keyUps.size(), 1);
        QCOMPARE(keyUps[0][0].toInt(), int(Qt::Key_A));
        QTest::keyRelease(&field, Qt::Key_A);
        QCOMPARE(keyUps.size(), 1);
        QCOMPARE(field.text(), QStringLiteral("aa"));
    }

    void lostFocusOnlyToAnotherControl() {
        QWidget window;
        EventLineEdit field(&window);
        QLineEdit other(&window);
        other.move(0, 30);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy lost(&field, &EventLineEdit::lostFocus);
        field.setFocus();
        QFocusEvent toOtherWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(&field, &toOtherWindow);
        QCOMPARE(lost.size(), 0);
        other.setFocus(Qt::TabFocusReason);
        QCOMPARE(lost.size(), 1);
    }
};

QTEST_MAIN(EventLineEditTest)
#include "EventLineEditTest.moc"
