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
#include <optional>

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
    // An unfocused field draws its text itself; every pixel must be what QLineEdit draws under
    // the same border.
    void plainTextLooksAsQLineEditDrawsIt() {
        QFont small(QStringLiteral("Liberation Sans"));
        small.setPointSizeF(8.25);
        small.setStyleStrategy(QFont::PreferNoShaping);
        QFont large(QStringLiteral("Liberation Sans"));
        large.setPointSizeF(12);
        // Fonts whose ink can be taller than their line: QLineEdit then centres the ink, and a
        // field that took the font's line for granted would draw the text a pixel off.
        QFont largeUnshaped = large; // even ASCII digits overshoot at this size
        largeUnshaped.setStyleStrategy(QFont::PreferNoShaping);
        QFont nine = small; // ASCII fits the line; a ring above a capital does not
        nine.setPointSizeF(9);
        QFont serif(QStringLiteral("Liberation Serif")); // brackets overshoot
        serif.setPointSizeF(8.25);
        serif.setStyleStrategy(QFont::PreferNoShaping);
        const Qt::Alignment centre = Qt::AlignLeft | Qt::AlignVCenter;
        const Qt::Alignment bottom = Qt::AlignLeft | Qt::AlignBottom;
        const struct {
            QString text;
            QFont font;
            QSize size;
            Qt::Alignment alignment;
            bool inkTallerThanLine = false;
            std::optional<QFont> paintedBeforeIn = {}; // the font the field had first
        } rows[] = {
            {QStringLiteral("255"), small, {25, 19}, centre},
            {QStringLiteral("0"), small, {25, 19}, centre},
            {QStringLiteral("16777215"), small, {89, 19}, centre},
            {QStringLiteral("FF00A7"), small, {89, 19}, Qt::AlignLeft | Qt::AlignTop},
            {QStringLiteral("#jy Wq"), large, {89, 30}, bottom},
            {QString(), small, {25, 19}, centre},
            {QStringLiteral("123456789"), small, {25, 19}, centre}, // too wide: QLineEdit scrolls
            {QStringLiteral("Tonalidad \u00e9"), large, {120, 24}, centre},
            {QStringLiteral("255"), largeUnshaped, {89, 30}, bottom, true},
            {QStringLiteral("\u00c5\u00c7"), nine, {89, 24}, bottom, true},
            {QStringLiteral("(jy)"), serif, {89, 24}, bottom, true, small},
        };
        for (const auto& row : rows) {
            if (row.inkTallerThanLine) {
                const QFontMetrics metrics(row.font);
                QVERIFY2(metrics.boundingRect(row.text).height() > metrics.height(),
                         qPrintable(row.text));
            }
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
            addBorder(expected);

            EventLineEdit field;
            if (row.paintedBeforeIn) {
                field.setFont(*row.paintedBeforeIn);
                field.resize(row.size);
                field.setText(QStringLiteral("7"));
                field.grab();
            }
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

    // A drag rewrites a field with number after number, and comes back to the same ones: every
    // value the editor's fields show, twice over (the second time from the kept layouts), in
    // their font and sizes, looks as QLineEdit draws it; a new font is laid out anew.
    void everyValueOfADragLooksAsQLineEditDrawsIt() {
        QFont small(QStringLiteral("Liberation Sans"));
        small.setPointSizeF(8.25);
        small.setStyleStrategy(QFont::PreferNoShaping);
        QFont larger = small;
        larger.setPointSizeF(11);
        QPalette colours;
        colours.setColor(QPalette::Base, Qt::white);
        colours.setColor(QPalette::Text, QColor(0x12, 0x34, 0x56));
        QStringList values;
        for (int v = 0; v < 360; ++v)
            values << QString::number(v);
        for (const char* text : {"FF0000", "00FF00", "0000FF", "A7B3C9", "16777215", "8421504"})
            values << QString::fromLatin1(text);
        for (const QSize size : {QSize(25, 19), QSize(89, 19)}) {
            QLineEdit reference;
            EventLineEdit field;
            for (QLineEdit* edit : {static_cast<QLineEdit*>(&field), &reference}) {
                edit->setFrame(false);
                edit->setFont(small);
                edit->setPalette(colours);
                edit->setTextMargins(0, 0, 0, 0);
                edit->resize(size);
                edit->setText(QStringLiteral("7"));
                edit->grab();
            }
            for (int pass = 0; pass < 3; ++pass) {
                if (pass == 2) { // the same texts in another font
                    field.setFont(larger);
                    reference.setFont(larger);
                    field.setText(QStringLiteral("7"));
                    field.grab(); // QLineEdit places the line once for the new font
                }
                for (const QString& value : values) {
                    reference.setText(value);
                    field.setText(value);
                    QImage expected = reference.grab().toImage();
                    addBorder(expected);
                    const QImage got = field.grab().toImage().convertToFormat(expected.format());
                    QVERIFY2(got == expected, qPrintable(QStringLiteral("\"%1\" in %2 px, pass %3")
                                                             .arg(value)
                                                             .arg(size.width())
                                                             .arg(pass)));
                }
            }
        }
    }
};

QTEST_MAIN(EventLineEditTest)
#include "EventLineEditTest.moc"
