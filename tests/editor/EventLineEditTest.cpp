// The editor's text box: key releases only for keys it saw pressed, focus loss only to another
// control of the program.
#include "editor/EventLineEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
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
    // An unfocused field draws its text itself; every pixel must be what QLineEdit draws under
    // the same border.
    void plainTextLooksAsQLineEditDrawsIt() {
        QFont small(QStringLiteral("Liberation Sans"));
        small.setPointSizeF(8.25);
        small.setStyleStrategy(QFont::PreferNoShaping);
        QFont large(QStringLiteral("Liberation Sans"));
        large.setPointSizeF(12);
        const Qt::Alignment centre = Qt::AlignLeft | Qt::AlignVCenter;
        const struct {
            QString text;
            QFont font;
            QSize size;
            Qt::Alignment alignment;
        } rows[] = {
            {QStringLiteral("255"), small, {25, 19}, centre},
            {QStringLiteral("0"), small, {25, 19}, centre},
            {QStringLiteral("16777215"), small, {89, 19}, centre},
            {QStringLiteral("FF00A7"), small, {89, 19}, Qt::AlignLeft | Qt::AlignTop},
            {QStringLiteral("#jy Wq"), large, {89, 30}, Qt::AlignLeft | Qt::AlignBottom},
            {QString(), small, {25, 19}, centre},
            {QStringLiteral("123456789"), small, {25, 19}, centre}, // too wide: QLineEdit scrolls
            {QStringLiteral("Tonalidad \u00e9"), large, {120, 24}, centre},
        };
        for (const auto& row : rows) {
            QPalette colours;
            colours.setColor(QPalette::Base, QColor(0xD9, 0xD1, 0xC8));
            colours.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));

            QLineEdit reference;
            reference.setFrame(false);
            reference.setFont(row.font);
            reference.setPalette(colours);
            reference.setAlignment(row.alignment);
            reference.setTextMargins(0, 0, 0, 0);
            reference.resize(row.size);
            reference.setText(row.text);
            QImage expected = reference.grab().toImage();
            {
                QPainter border(&expected);
                const int w = row.size.width();
                const int h = row.size.height();
                border.fillRect(0, 0, w, 1, QColor(0x80, 0x80, 0x80));
                border.fillRect(0, 1, 1, h - 1, QColor(0x80, 0x80, 0x80));
                border.fillRect(1, h - 1, w - 1, 1, Qt::white);
                border.fillRect(w - 1, 1, 1, h - 2, Qt::white);
            }

            EventLineEdit field;
            field.setFont(row.font);
            field.setPalette(colours);
            field.setAlignment(row.alignment);
            field.setTextMargins(0, 0, 0, 0);
            field.resize(row.size);
            field.setText(QStringLiteral("7"));
            field.grab(); // QLineEdit lays the line out once
            field.setText(row.text);
            const QImage got = field.grab().toImage().convertToFormat(expected.format());
            QCOMPARE(got.size(), expected.size());
            for (int y = 0; y < got.height(); ++y)
                for (int x = 0; x < got.width(); ++x)
                    QVERIFY2(got.pixel(x, y) == expected.pixel(x, y),
                             qPrintable(QStringLiteral("\"%1\" at (%2, %3): %4 instead of %5")
                                            .arg(row.text)
                                            .arg(x)
                                            .arg(y)
                                            .arg(got.pixel(x, y), 8, 16)
                                            .arg(expected.pixel(x, y), 8, 16)));
        }
    }
};

QTEST_MAIN(EventLineEditTest)
#include "EventLineEditTest.moc"
