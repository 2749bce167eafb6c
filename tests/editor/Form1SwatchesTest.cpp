// SPDX-License-Identifier: MIT
// The swatch readouts, the apply button's hover look and the apply action.
#include "ClickLabel.h"
#include "EditorTestSupport.h"
#include "EventLineEdit.h"
#include "RecordingMessageBoxes.h"
#include "SurfaceWidget.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScreen>

using namespace tintaro;
using namespace tintaro::test;

namespace {

// The readout as PrintColorInfo draws it, on a clean surface of the window's colour.
std::vector<ColorRef> expectedReadout(Form1Probe& form, const QStringList& lines) {
    Surface expected(441, 454, form.surface().backColor());
    expected.setTextPainter(makeTextPainter(form.font()));
    const int height = QFontMetrics(form.font()).height();
    for (int i = 0; i < lines.size(); ++i) {
        expected.setCurrentX(312);
        expected.setCurrentY(80 + i * height);
        expected.print(lines[i].toStdString());
    }
    std::vector<ColorRef> box;
    for (int y = 80; y <= 130; ++y)
        for (int x = 312; x <= 392; ++x)
            box.push_back(expected.point(x, y));
    return box;
}

std::vector<ColorRef> readout(Form1Probe& form) {
    std::vector<ColorRef> box;
    for (int y = 80; y <= 130; ++y)
        for (int x = 312; x <= 392; ++x)
            box.push_back(form.surface().point(x, y));
    return box;
}

void hover(QWidget* widget) {
    sendMouse(widget, QEvent::MouseMove, {10.5, 10.5}, Qt::NoButton, Qt::NoButton);
}

std::vector<std::uint8_t> dword(std::uint32_t value) {
    return {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
            std::uint8_t(value >> 24)};
}

// The centre pixel of a control as the window shows it: the window's own backing store, not a
// fresh rendering of the control, so a control that is never repainted shows its old colour.
QColor shownCentre(Form1& form, QWidget* control) {
    const QPoint centre = control->mapTo(&form, control->rect().center());
    const QImage shown = form.screen()->grabWindow(form.winId()).toImage();
    const qreal scale = shown.devicePixelRatio();
    return shown.pixelColor(QPoint(int(centre.x() * scale), int(centre.y() * scale)));
}

QColor qColour(ColorRef colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

const std::string kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\";

} // namespace

class Form1SwatchesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void getHexVal_data() {
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("hex");
        QTest::newRow("red") << 255 << 0 << 0 << "FF0000";
        QTest::newRow("leading zeros") << 15 << 0 << 5 << "0F0005";
        QTest::newRow("mixed") << 0 << 128 << 255 << "0080FF";
        QTest::newRow("black") << 0 << 0 << 0 << "000000";
        QTest::newRow("123456") << 0x12 << 0x34 << 0x56 << "123456";
    }

    void getHexVal() {
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(QString, hex);
        auto form = openEditor();
        QString text = QStringLiteral("junk");
        form->GetHexVal(std::int16_t(red), std::int16_t(green), std::int16_t(blue), text);
        QCOMPARE(text, hex);
    }

    void previousSwatchReadout() {
        auto form = openEditor();
        form->lblSelColor->setBackColor(RGB(1, 2, 3));
        QTest::mouseClick(form->Label2, Qt::LeftButton);
        QVERIFY(readout(*form) ==
                expectedReadout(*form, {QStringLiteral("R: 255"), QStringLiteral("G: 0"),
                                        QStringLiteral("B: 0"), QStringLiteral("Hex: #FF0000")}));
        QCOMPARE(form->lblSelColor->backColor(), RGB(1, 2, 3));
        QCOMPARE(form->Text1->text(), QStringLiteral("255"));
    }

    void newSwatchReadout() {
        auto form = openEditor();
        QTest::mouseClick(form->Label2, Qt::LeftButton);
        form->lblSelColor->setBackColor(RGB(0x12, 0x34, 0x56));
        QTest::mouseClick(form->lblSelColor, Qt::LeftButton);
        QVERIFY(readout(*form) ==
                expectedReadout(*form, {QStringLiteral("R: 18"), QStringLiteral("G: 52"),
                                        QStringLiteral("B: 86"), QStringLiteral("Hex: #123456")}));
        // A right click is no click.
        QTest::mouseClick(form->Label2, Qt::RightButton);
        QVERIFY(readout(*form) !=
                expectedReadout(*form, {QStringLiteral("R: 255"), QStringLiteral("G: 0"),
                                        QStringLiteral("B: 0"), QStringLiteral("Hex: #FF0000")}));
    }

    void applyButtonHover() {
        auto form = openEditor();
        QVERIFY(form->Picture1->isVisible());
        QVERIFY(form->Picture2->isHidden());
        hover(form->Picture1);
        QVERIFY(form->Picture1->isHidden());
        QVERIFY(form->Picture2->isVisible());
        hover(form->Picture2); // over the highlighted picture nothing changes
        QVERIFY(form->Picture2->isVisible());
        hover(form->txtejemplo->viewport()); // straight onto another control: stays lit
        QVERIFY(form->Picture2->isVisible());
        hover(form->Image1);
        QVERIFY(form->Picture1->isVisible());
        QVERIFY(form->Picture2->isHidden());
        hover(form->Image1);
        QVERIFY(form->Picture1->isVisible());
    }

    // Screen readers hear the colour each swatch shows, as it is when they ask.
    void swatchesSpeakTheirColour() {
        auto form = openEditor();
        QAccessibleInterface* selected = QAccessible::queryAccessibleInterface(form->lblSelColor);
        QAccessibleInterface* previous = QAccessible::queryAccessibleInterface(form->Label2);
        QCOMPARE(selected->text(QAccessible::Name), QStringLiteral("Color nuevo"));
        QCOMPARE(selected->text(QAccessible::Description),
                 QStringLiteral("Rojo 255, verde 0, azul 0"));
        QCOMPARE(previous->text(QAccessible::Name), QStringLiteral("Color anterior"));
        QCOMPARE(previous->text(QAccessible::Description),
                 QStringLiteral("Rojo 255, verde 0, azul 0"));

        press(*form, {10, 80}); // the square's top left in hue mode: white
        release(*form, {10, 80});
        QCOMPARE(selected->text(QAccessible::Description),
                 QStringLiteral("Rojo 255, verde 255, azul 255"));
        QCOMPARE(previous->text(QAccessible::Description),
                 QStringLiteral("Rojo 255, verde 0, azul 0"));
    }

    void apply_data() {
        QTest::addColumn<QString>("algo");
        QTest::addColumn<QString>("txtcolor");
        QTest::addColumn<QString>("key");
        QTest::addColumn<std::uint32_t>("value");
        QTest::newRow("key 123, red") << "123"
                                      << "255"
                                      << "123" << 255u;
        QTest::newRow("blue") << "987654321"
                              << "16711680"
                              << "987654321" << 16711680u;
        QTest::newRow("half to even") << "7"
                                      << "254.5"
                                      << "7" << 254u;
        QTest::newRow("fractional account") << "12.5"
                                            << "1"
                                            << "12.5" << 1u;
        QTest::newRow("negative account") << "-3"
                                          << "0"
                                          << "-3" << 0u;
        QTest::newRow("white") << "123"
                               << "16777215"
                               << "123" << 16777215u;
        // No colour in the field: the swatch's colour (red) is stored.
        QTest::newRow("empty field") << "123"
                                     << ""
                                     << "123" << 255u;
        QTest::newRow("not a number") << "123"
                                      << "abc"
                                      << "123" << 255u;
        QTest::newRow("negative") << "123"
                                  << "-5"
                                  << "123" << 255u;
        QTest::newRow("above colours") << "123"
                                       << "16777216"
                                       << "123" << 255u;
        QTest::newRow("huge") << "123"
                              << "1e30"
                              << "123" << 255u;
    }

    void apply() {
        QFETCH(QString, algo);
        QFETCH(QString, txtcolor);
        QFETCH(QString, key);
        QFETCH(std::uint32_t, value);
        RecordingMessageBoxes boxes;
        FakeRegistry registry;
        auto form = openEditor();
        form->algo = *conv::currencyFromText(algo.toStdString());
        form->txtcolor->setText(txtcolor);
        hover(form->Picture1);
        QTest::mouseClick(form->Picture2, Qt::LeftButton);
        form->colourStore().wait();
        QVERIFY(boxes.messages.isEmpty());
        QCOMPARE(registry.writes.size(), std::size_t{1});
        const FakeRegistry::Write& write = registry.writes[0];
        QCOMPARE(write.root, kHkeyCurrentUser);
        QCOMPARE(write.path, kKey + key.toStdString());
        QCOMPARE(write.name, std::string("IM Color"));
        QCOMPARE(write.type, kRegDword);
        QVERIFY(write.data == dword(value));
        QVERIFY(form->Picture1->isVisible());
        QVERIFY(form->Picture2->isHidden());
    }

    // The apply button from the keyboard: Space or Enter on either look applies once per
    // press, and the focus stays on the button when the pointer changes its look.
    void applyFromTheKeyboard() {
        FakeRegistry registry;
        auto form = openEditor();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->algo = *conv::currencyFromText("77");
        form->txtcolor->setText(QStringLiteral("65280"));
        form->txtejemplo->setFocus();
        QTest::keyClick(form->txtejemplo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Picture1);
        QTest::keyClick(form->Picture1, Qt::Key_Space);
        QTest::keyClick(form->Picture1, Qt::Key_Return);
        hover(form->Picture1);
        QCOMPARE(QApplication::focusWidget(), form->Picture2);
        QTest::keyClick(form->Picture2, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), form->Picture1);
        QTest::keyClick(form->Picture1, Qt::Key_A);
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t{3});
        for (const FakeRegistry::Write& write : registry.writes) {
            QCOMPARE(write.path, kKey + std::string("77"));
            QVERIFY(write.data == dword(65280));
        }
        // A screen reader sees a button it can press, named by its tooltip.
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(form->Picture1);
        QVERIFY(button);
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Aplicar color"));
        QVERIFY(button->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t{4});
    }

    // Just opened, nothing picked: the swatch's colour, even when the mode switch changed it
    // without writing the fields.
    void applyBeforeAnyPick() {
        FakeRegistry registry;
        auto form = openEditor();
        form->algo = *conv::currencyFromText("42");
        form->txtS->setText(QStringLiteral("0"));
        QTest::mouseClick(form->optH, Qt::LeftButton);
        QVERIFY(form->txtcolor->text().isEmpty());
        QCOMPARE(form->lblSelColor->backColor(), 0xFFFFFF);
        form->Picture2_Click();
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t{1});
        QVERIFY(registry.writes[0].data == dword(0xFFFFFF));
    }

    // Applying twice leaves the second colour; the picked colour is what is stored.
    void applyAfterPicking() {
        FakeRegistry registry;
        auto form = openEditor();
        form->algo = *conv::currencyFromText("5");
        press(*form, {265, 335});
        release(*form, {265, 335});
        form->Picture2_Click();
        press(*form, {10, 80});
        release(*form, {10, 80});
        form->Picture2_Click();
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t{2});
        QVERIFY(registry.writes[0].data == dword(0));
        QVERIFY(registry.writes[1].data == dword(0xFFFFFF));
    }

    // The new swatch on screen follows every pick: a square press, a drag, a typed hue; the
    // previous swatch keeps the colour it had.
    void swatchShownAfterPicking() {
        auto form = openEditor();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor), QColor(255, 0, 0));
        press(*form, {265, 335});
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor), QColor(0, 0, 0));
        move(*form, {10, 80});
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor), QColor(255, 255, 255));
        move(*form, {100, 150});
        const ColorRef dragged = form->lblSelColor->backColor();
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor), qColour(dragged));
        release(*form, {100, 150});
        form->txtH->setFocus();
        form->txtH->selectAll();
        QTest::keyClicks(form->txtH, QStringLiteral("120"));
        QVERIFY(form->lblSelColor->backColor() != dragged);
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor),
                     qColour(form->lblSelColor->backColor()));
        QCOMPARE(shownCentre(*form, form->Label2), QColor(255, 0, 0));
    }

    // A press on the apply button released off it is no click: nothing is stored.
    void applyReleasedOutside_data() {
        QTest::addColumn<QPointF>("releaseAt");
        QTest::addColumn<int>("writes");
        QTest::newRow("inside") << QPointF(28, 22) << 1;
        QTest::newRow("last column") << QPointF(55.4, 22) << 1;
        QTest::newRow("right of it") << QPointF(56, 22) << 0;
        QTest::newRow("left of it") << QPointF(-1, 22) << 0;
        QTest::newRow("above it") << QPointF(28, -3) << 0;
        QTest::newRow("below it") << QPointF(28, 45) << 0;
        QTest::newRow("far off") << QPointF(-300, 200) << 0;
    }

    void applyReleasedOutside() {
        QFETCH(QPointF, releaseAt);
        QFETCH(int, writes);
        FakeRegistry registry;
        auto form = openEditor();
        form->algo = *conv::currencyFromText("9");
        hover(form->Picture1);
        QVERIFY(form->Picture2->isVisible());
        sendMouse(form->Picture2, QEvent::MouseButtonPress, {28, 22}, Qt::LeftButton,
                  Qt::LeftButton);
        sendMouse(form->Picture2, QEvent::MouseMove, releaseAt, Qt::NoButton, Qt::LeftButton);
        sendMouse(form->Picture2, QEvent::MouseButtonRelease, releaseAt, Qt::LeftButton,
                  Qt::NoButton);
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t(writes));
        // The next full click still applies.
        hover(form->Picture1);
        QTest::mouseClick(form->Picture2, Qt::LeftButton);
        form->colourStore().wait();
        QCOMPARE(registry.writes.size(), std::size_t(writes + 1));
    }

    // A failed store says what failed and where, in the window's message box.
    void applyFailureMessage() {
        const std::pair<long, const char*> reasons[] = {
            {2, "file not found"},
            {3, "folder not found"},
            {5, "permission denied (the file is read-only or not yours to write)"},
            {6, "the key is not open"},
            {29, "write error"},
            {33, "another program keeps the file locked"},
            {50, "only REG_DWORD values can be stored"},
            {87, "invalid key or value name"},
            {112, "the disk is full"},
            {161, "invalid key path"},
            {1009, "it is not a registry file that Wine would load"},
            {1010, "invalid key"},
            {1460, "it took too long"},
            {4321, "error 4321"}};
        RecordingMessageBoxes boxes;
        FakeRegistry registry;
        auto form = openEditor();
        form->algo = *conv::currencyFromText("123");
        for (const auto& [code, reason] : reasons) {
            registry.code = code;
            form->Picture2_Click();
            form->colourStore().wait();
            QCOMPARE(boxes.messages.last().text,
                     QStringLiteral("The colour of account 123 was not stored.\n\nThe registry "
                                    "refused the value: %1.")
                         .arg(QLatin1String(reason)));
        }
        QCOMPARE(boxes.messages.size(), qsizetype(std::size(reasons)));
        QCOMPARE(boxes.messages[0].style, kMsgExclamation);
        QCOMPARE(boxes.messages[0].caption, kAppTitle);
    }

    // While stores are pending the window repaints a new pick, under the busy pointer; they
    // end in the order applied. Closing waits for a pending store, whose failure shows when it
    // ends, not before.
    void applyInTheBackground() {
        RecordingMessageBoxes boxes;
        FakeRegistry registry;
        registry.patience = std::chrono::seconds(5);
        auto form = openEditor();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        for (const char* colour : {"1", "2", "3"}) {
            form->txtcolor->setText(QLatin1String(colour));
            form->Picture2_Click();
        }
        press(*form, {265, 335});
        QTRY_COMPARE(shownCentre(*form, form->lblSelColor), QColor(0, 0, 0));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        registry.open.release(3);
        form->colourStore().wait();
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(registry.writes.size(), std::size_t{3});
        for (std::uint32_t i = 0; i < 3; ++i)
            QVERIFY(registry.writes[i].data == dword(i + 1));

        registry.code = 5;
        registry.patience = std::chrono::seconds(1);
        form->Picture2_Click();
        QTest::qWait(100);
        QVERIFY(boxes.messages.isEmpty());
        form->close();
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(boxes.messages.size(), qsizetype(1));
    }
};

QTEST_MAIN(Form1SwatchesTest)
#include "Form1SwatchesTest.moc"
