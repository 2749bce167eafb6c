// SPDX-License-Identifier: MIT
// Mode switches and value fields: typed values move the marker and the slider, the hue field
// is validated, and the red, green and blue fields refresh the colour displays.
#include "ClickLabel.h"
#include "EditorTestSupport.h"
#include "EventLineEdit.h"
#include "RecordingMessageBoxes.h"

#include <QPlainTextEdit>

using namespace tintaro;
using namespace tintaro::test;

namespace {

const QString kHueMessage = QStringLiteral("Enter an Integer Value Between 0 and 360");

void typeInto(QLineEdit* field, const QString& keys) {
    for (const QChar key : keys)
        QTest::keyClick(field, key.toLatin1());
}

void clearField(QLineEdit* field) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
}

std::vector<std::uint32_t> pixels(Form1Probe& form) {
    const Surface& s = form.surface();
    return {s.pixels(), s.pixels() + s.width() * s.height()};
}

} // namespace

class Form1FieldsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Tab visits every control that takes the focus once, the sample text included, and comes
    // back to the start; no key of it changes a text.
    void tabWalksThroughTheWindow() {
        auto form = openEditor();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->optH->setFocus();
        QStringList visited;
        for (int i = 0; i < 13 && (visited.isEmpty() || QApplication::focusWidget() != form->optH);
             ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({QStringLiteral("optH"), QStringLiteral("txtH"),
                                       QStringLiteral("txtS"), QStringLiteral("txtB"),
                                       QStringLiteral("Text1"), QStringLiteral("Text2"),
                                       QStringLiteral("Text3"), QStringLiteral("txtcolor"),
                                       QStringLiteral("txtcolorhex"), QStringLiteral("txtejemplo"),
                                       QStringLiteral("Picture1")}));
        QCOMPARE(form->txtejemplo->toPlainText(),
                 QStringLiteral(" Zelkor Tintaro\ncreado por Zelkor\nhttps://zelkor.example/\n"));
        // Shift+Tab goes back the same way: from the first control to the apply button, the
        // sample text, on to the hexadecimal field.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form->Picture1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form->txtejemplo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form->txtcolorhex);
    }

    void hueModeSwitch() {
        auto form = openEditor();
        form->txtH->setText(QStringLiteral("180"));
        form->txtS->setText(QStringLiteral("30"));
        form->txtB->setText(QStringLiteral("50"));
        QTest::mouseClick(form->optH, Qt::LeftButton); // already selected: still runs
        QCOMPARE(form->state().sliderY, 207.0f);
        QCOMPARE(form->state().markerX, 86);
        QCOMPARE(form->state().markerY, 208);
        // The square shows the hue read at (280, 207); the swatch is the pixel at the marker.
        QCOMPARE(form->surface().point(265, 80), form->surface().point(280, 207));
        QCOMPARE(form->lblSelColor->backColor(), form->surface().point(86, 208));
        // The fields and the displays are not written.
        QCOMPARE(form->Text1->text(), QStringLiteral("255"));
        QVERIFY(form->txtcolor->text().isEmpty());
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void otherModeSwitches_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("hue");
        QTest::addColumn<QString>("saturation");
        QTest::addColumn<QString>("brightness");
        QTest::addColumn<int>("markerX");
        QTest::addColumn<int>("markerY");
        QTest::newRow("S, hue 90") << "S"
                                   << "90"
                                   << "100"
                                   << "100" << 74 << 80;
        QTest::newRow("B, hue 90") << "B"
                                   << "90"
                                   << "100"
                                   << "100" << 74 << 80;
        QTest::newRow("B, saturation 30") << "B"
                                          << "0"
                                          << "30"
                                          << "100" << 10 << 258;
        QTest::newRow("S, brightness 30") << "S"
                                          << "0"
                                          << "100"
                                          << "30" << 10 << 258;
    }

    void otherModeSwitches() {
        QFETCH(QString, mode);
        QFETCH(QString, hue);
        QFETCH(QString, saturation);
        QFETCH(QString, brightness);
        QFETCH(int, markerX);
        QFETCH(int, markerY);
        auto form = openEditor();
        form->txtH->setText(hue);
        form->txtS->setText(saturation);
        form->txtB->setText(brightness);
        QTest::mouseClick(mode == QLatin1String("S") ? form->optS : form->optB, Qt::LeftButton);
        QCOMPARE(form->state().markerX, markerX);
        QCOMPARE(form->state().markerY, markerY);
        QCOMPARE(form->state().sliderY, 335.0f); // the arrows stay
        QCOMPARE(form->lblSelColor->backColor(), 0x000000FF);
        QCOMPARE(form->surface().point(284, 80), form->surface().point(markerX, markerY));
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void modeRoundTrip() {
        auto form = openEditor();
        QTest::mouseClick(form->optS, Qt::LeftButton);
        QTest::mouseClick(form->optB, Qt::LeftButton);
        QTest::mouseClick(form->optH, Qt::LeftButton);
        QVERIFY(form->optH->isChecked());
        QCOMPARE(form->state().markerX, 265);
        QCOMPARE(form->state().markerY, 80);
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void typingHue_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("sliderY");
        QTest::newRow("180") << "180" << 0 << "180" << 207.5f;
        QTest::newRow("-5") << "-5" << 1 << "0" << 335.0f;
        QTest::newRow("1.5") << "1.5" << 1 << "1.5" << static_cast<float>(335 - 1.5 * 255 / 360);
        QTest::newRow("abc") << "abc" << 0 << "abc" << 335.0f;
        // Both ends of the scale are hues; one step beyond either is not.
        QTest::newRow("0") << "0" << 0 << "0" << 335.0f;
        QTest::newRow("360") << "360" << 0 << "360" << 80.0f;
        QTest::newRow("-1") << "-1" << 1 << "0" << 335.0f;
        QTest::newRow("361") << "361" << 1 << "361" << static_cast<float>(335 - 361.0 * 255 / 360);
        // The fifth key is refused, but its release still validates the 1234 in the field.
        QTest::newRow("too long") << "12345" << 2 << "1234"
                                  << static_cast<float>(335 - 1234.0 * 255 / 360);
    }

    void typingHue() {
        QFETCH(QString, keys);
        QFETCH(int, messages);
        QFETCH(QString, text);
        QFETCH(float, sliderY);
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        clearField(form->txtH);
        typeInto(form->txtH, keys);
        QCOMPARE(form->txtH->text(), text);
        QCOMPARE(boxes.messages.size(), messages);
        for (const RecordedMessage& message : boxes.messages) {
            QCOMPARE(message.text, kHueMessage);
            QCOMPARE(message.style, kMsgOkOnly);
            QCOMPARE(message.caption, kAppTitle);
        }
        QCOMPARE(form->state().sliderY, sliderY);
        QCOMPARE(differencesFromFresh(*form), 0);
        const ColorRef underMarker = form->surface().point(265, 80);
        QCOMPARE(form->lblSelColor->backColor(), underMarker);
    }

    // "180" arrives key by key: the arrows end at row 208 and the strip is read at x 282.
    void typedHueRendersSquare() {
        auto form = openEditor();
        clearField(form->txtH);
        typeInto(form->txtH, QStringLiteral("180"));
        QCOMPARE(form->surface().point(265, 80), form->surface().point(282, 208));
        QCOMPARE(form->Text1->text().toInt(), form->surface().point(265, 80) & 0xFF);
        QCOMPARE(form->txtcolor->text(), QString::number(form->surface().point(265, 80)));
    }

    // The message shows while the field still holds the bad value; the field reads 0 only
    // after it is dismissed.
    void negativeHueOrder() {
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        clearField(form->txtH);
        QStringList seen;
        boxes.onShow = [&] { seen << form->txtH->text(); };
        typeInto(form->txtH, QStringLiteral("-"));
        QVERIFY(seen.isEmpty());
        typeInto(form->txtH, QStringLiteral("5"));
        QCOMPARE(seen, QStringList{QStringLiteral("-5")});
        QCOMPARE(form->txtH->text(), QStringLiteral("0"));
    }

    void emptyHue() {
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        clearField(form->txtH);
        typeInto(form->txtH, QStringLiteral("9"));
        QTest::keyClick(form->txtH, Qt::Key_Backspace);
        QVERIFY(form->txtH->text().isEmpty());
        QCOMPARE(form->state().sliderY, 335.0f);
        QVERIFY(boxes.messages.isEmpty());
    }

    void leavingHueField() {
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->txtH->setFocus();
        form->txtH->setText(QStringLiteral("12.5"));
        form->txtS->setFocus();
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(boxes.messages[0].text, kHueMessage);
        QCOMPARE(QApplication::focusWidget(), form->txtH);
        QCOMPARE(form->txtH->text(), QStringLiteral("12.5"));

        form->txtH->setText(QStringLiteral("12"));
        form->txtS->setFocus();
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(QApplication::focusWidget(), form->txtS);
    }

    // A release whose press the field never saw (the Enter that closed a message box) is no
    // key typed there, so it cannot bring the message back.
    void strayKeyRelease() {
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        form->txtH->setText(QStringLiteral("400"));
        QTest::keyRelease(form->txtH, Qt::Key_Return);
        QVERIFY(boxes.messages.isEmpty());
        QTest::keyClick(form->txtH, Qt::Key_End);
        QCOMPARE(boxes.messages.size(), 1);
    }

    void saturationAndBrightnessFields() {
        auto form = openEditor();
        clearField(form->txtS);
        typeInto(form->txtS, QStringLiteral("30"));
        QCOMPARE(form->state().markerX, 86); // 76.5 + 10 to even
        clearField(form->txtB);
        typeInto(form->txtB, QStringLiteral("50"));
        QCOMPARE(form->state().markerY, 208);
        const ColorRef underMarker = form->surface().point(86, 208);
        QCOMPARE(form->lblSelColor->backColor(), underMarker);
        QCOMPARE(form->txtcolor->text(), QString::number(underMarker));
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void fieldsInOtherModesOnlyValidate() {
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        QTest::mouseClick(form->optS, Qt::LeftButton);
        const std::vector<std::uint32_t> before = pixels(*form);
        typeInto(form->txtS, QStringLiteral("5"));
        typeInto(form->txtB, QStringLiteral("7"));
        typeInto(form->txtH, QStringLiteral("9"));
        QVERIFY(pixels(*form) == before);
        QCOMPARE(boxes.messages.size(), 0);
        QCOMPARE(form->lblSelColor->backColor(), 0x000000FF);
        typeInto(form->txtH, QStringLiteral(".5"));
        QCOMPARE(boxes.messages.size(), 1);
        QVERIFY(pixels(*form) == before);
    }

    // Values far outside the scales put the marker or the arrows off the window: nothing
    // crashes, a point off the surface picks no colour, and the editor recovers.
    void outOfRangeValues_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("saturation 1e99") << "S"
                                         << "1e99";
        QTest::newRow("saturation -1e9") << "S"
                                         << "-1e9";
        QTest::newRow("brightness 9999") << "B"
                                         << "9999";
        QTest::newRow("hue 1e99") << "H"
                                  << "1e99";
        QTest::newRow("hue 9999") << "H"
                                  << "9999";
        QTest::newRow("hue 400") << "H"
                                 << "400";
    }

    void outOfRangeValues() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        RecordingMessageBoxes boxes;
        auto form = openEditor();
        EventLineEdit* edit = field == QLatin1String("S")   ? form->txtS
                              : field == QLatin1String("B") ? form->txtB
                                                            : form->txtH;
        const QString original = edit->text();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_End);
        if (field != QLatin1String("H")) {
            // Off the surface: the swatch and the fields keep the colour they had.
            QCOMPARE(form->lblSelColor->backColor(), 0x000000FF);
            QCOMPARE(form->Text1->text(), QStringLiteral("255"));
        }
        QTest::mouseClick(form->optS, Qt::LeftButton);
        QTest::mouseClick(form->optB, Qt::LeftButton);
        QTest::mouseClick(form->optH, Qt::LeftButton);
        edit->setText(original);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::mouseClick(form->optH, Qt::LeftButton);
        QCOMPARE(form->state().markerX, 265);
        QCOMPARE(form->state().markerY, 80);
        QCOMPARE(form->state().sliderY, 335.0f);
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void colourDisplays() {
        auto form = openEditor();
        form->lblSelColor->setBackColor(RGB(0x12, 0x34, 0x56));
        QVERIFY(form->txtcolor->text().isEmpty());
        // Typing into the red field only rewrites the displays from the swatch.
        clearField(form->Text1);
        typeInto(form->Text1, QStringLiteral("0"));
        QCOMPARE(form->lblSelColor->backColor(), RGB(0x12, 0x34, 0x56));
        QCOMPARE(form->txtcolor->text(), QStringLiteral("5649426"));
        QCOMPARE(form->txtcolorhex->text(), QStringLiteral("563412"));
        QCOMPARE(form->txtcolor->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(form->txtejemplo->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));

        form->lblSelColor->setBackColor(RGB(0, 255, 0));
        form->Text3->setText(QStringLiteral("7"));
        QCOMPARE(form->txtcolor->text(), QStringLiteral("65280"));
        QCOMPARE(form->txtcolorhex->text(), QStringLiteral("FF00"));
        form->lblSelColor->setBackColor(RGB(0, 0, 255));
        form->Text2->setText(QStringLiteral("7"));
        QCOMPARE(form->txtcolorhex->text(), QStringLiteral("FF0000"));
        form->lblSelColor->setBackColor(RGB(9, 9, 9));
        form->Text2->setText(QStringLiteral("7")); // no change of text: no handler
        QCOMPARE(form->txtcolorhex->text(), QStringLiteral("FF0000"));
    }
};

QTEST_MAIN(Form1FieldsTest)
#include "Form1FieldsTest.moc"
