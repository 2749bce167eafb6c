// SPDX-License-Identifier: MIT
// The editor's text box: key releases only for keys it saw pressed, focus loss only to another
// control of the program.
#include "EventLineEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace tintaro;

namespace {

// The one-pixel sunken border the field draws over QLineEdit's frameless picture.
void addBorder(QImage& image) {
    QPainter painter(&image);
    const int w = image.width();
    const int h = image.height();
    painter.fillRect(0, 0, w, 1, QColor(0x80, 0x80, 0x80));
    painter.fillRect(0, 1, 1, h - 1, QColor(0x80, 0x80, 0x80));
    painter.fillRect(1, h - 1, w - 1, 1, Qt::white);
    painter.fillRect(w - 1, 1, 1, h - 2, Qt::white);
}

} // namespace

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
    // A held key: the system's repeat pairs are typing, not releases; the one keyUp comes with
    // the real release.
    void heldKeyReportsOneKeyUpAtTheEnd() {
        EventLineEdit field;
        QSignalSpy keyUps(&field, &EventLineEdit::keyUp);
        QTest::keyPress(&field, Qt::Key_7);
        for (int i = 0; i < 3; ++i) {
            QKeyEvent up(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), true);
            QApplication::sendEvent(&field, &up);
            QKeyEvent down(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), true);
            QApplication::sendEvent(&field, &down);
        }
        QCOMPARE(keyUps.size(), 0);
        QCOMPARE(field.text(), QStringLiteral("7777"));
        QTest::keyRelease(&field, Qt::Key_7);
        QCOMPARE(keyUps.size(), 1);
        QCOMPARE(keyUps[0][0].toInt(), int(Qt::Key_7));
        QTest::keyRelease(&field, Qt::Key_7);
        QCOMPARE(keyUps.size(), 1);
    }

    // A key pressed here, then the focus moved away: its release belongs to the new place.
    void focusLossForgetsPressedKeys() {
        EventLineEdit field;
        QSignalSpy keyUps(&field, &EventLineEdit::keyUp);
        QTest::keyPress(&field, Qt::Key_Return);
        QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&field, &away);
        QTest::keyRelease(&field, Qt::Key_Return);
        QCOMPARE(keyUps.size(), 0);
        QTest::keyPress(&field, Qt::Key_Return);
        QTest::keyRelease(&field, Qt::Key_Return);
        QCOMPARE(keyUps.size(), 1);
    }

    // A focused field is QLineEdit's own drawing, text cursor included, on every repaint.
    void focusedFieldShowsItsCursor() {
        QApplication::setCursorFlashTime(0); // a steady cursor: every grab shows it
        QFont small(QStringLiteral("Liberation Sans"));
        small.setPointSizeF(8.25);
        QPalette colours;
        colours.setColor(QPalette::Base, QColor(0xD9, 0xD1, 0xC8));
        colours.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
        QWidget window;
        EventLineEdit field(&window);
        QLineEdit reference(&window);
        reference.setFrame(false);
        for (QLineEdit* edit : {static_cast<QLineEdit*>(&field), &reference}) {
            edit->setFont(small);
            edit->setPalette(colours);
            edit->setTextMargins(0, 0, 0, 0);
            edit->resize(89, 19);
            edit->setText(QStringLiteral("255"));
        }
        reference.move(0, 30);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        reference.setFocus();
        QImage expected = reference.grab().toImage();
        addBorder(expected);
        field.setFocus();
        QVERIFY(field.hasFocus());
        for (int paint = 0; paint < 3; ++paint) {
            const QImage got = field.grab().toImage().convertToFormat(expected.format());
            QVERIFY2(got == expected, qPrintable(QStringLiteral("repaint %1").arg(paint)));
        }
        // The cursor is there: the same field unfocused differs.
        reference.setFocus();
        QVERIFY(field.grab().toImage().convertToFormat(expected.format()) != expected);
    }
};

QTEST_MAIN(EventLineEditTest)
#include "EventLineEditTest.moc"
