// SPDX-License-Identifier: MIT
// The editor window as it opens: its controls, its artwork and the state after Form_Load.
#include "ClassicLook.h"
#include "ClickLabel.h"
#include "DarkScheme.h"
#include "EditorTestSupport.h"
#include "EventLineEdit.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace tintaro;
using namespace tintaro::test;

namespace {

// Records what the surface shows at the moment the window becomes visible.
class ShowWatcher : public QObject {
public:
    explicit ShowWatcher(Form1Probe& form)
        : m_form(form) {
        form.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !shown) {
            shown = true;
            squareAtShow = m_form.surface().point(100, 200);
            stripAtShow = m_form.surface().point(280, 200);
        }
        return false;
    }
    bool shown = false;
    ColorRef squareAtShow = -2;
    ColorRef stripAtShow = -2;

private:
    Form1Probe& m_form;
};

QString controlText(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return {};
}

} // namespace

class Form1LoadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowProperties() {
        auto form = openEditor();
        QCOMPARE(form->windowTitle(), QStringLiteral("MSN6 Tintaro Zelkor"));
        QCOMPARE(form->size(), QSize(441, 454));
        QCOMPARE(form->minimumSize(), QSize(441, 454));
        QCOMPARE(form->maximumSize(), QSize(441, 454));
        QCOMPARE(form->windowIcon().pixmap(16, 16).size(), QSize(16, 16));
        QCOMPARE(form->picture->geometry(), QRect(0, 0, 441, 454));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        const QString window = QStringLiteral("Form1");
        auto row = [](const char* name, const QString& container, QRect geometry,
                      const QString& text, const QString& tip = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << container << geometry << text
                                << tip;
        };
        const QString f1 = QStringLiteral("Frame1");
        const QString f2 = QStringLiteral("Frame2");
        const QString f3 = QStringLiteral("Frame3");
        row("Frame2", window, {312, 136, 121, 93}, {});
        row("optH", f2, {0, 34, 31, 17}, QStringLiteral("H:"), QStringLiteral("Tonalidad"));
        row("optS", f2, {0, 54, 31, 17}, QStringLiteral("S:"), QStringLiteral("Saturacion"));
        row("optB", f2, {0, 74, 33, 17}, QStringLiteral("B:"), QStringLiteral("Brillo"));
        row("txtH", f2, {30, 32, 25, 19}, QStringLiteral("0"), QStringLiteral("Tonalidad"));
        row("txtS", f2, {30, 52, 25, 19}, QStringLiteral("100"), QStringLiteral("Saturación"));
        row("txtB", f2, {30, 72, 25, 19}, QStringLiteral("100"), QStringLiteral("Brillo"));
        row("lblH", f2, {56, 32, 7, 11}, QStringLiteral("°"));
        row("lblS", f2, {56, 54, 11, 13}, QStringLiteral("%"));
        row("lblBB", f2, {56, 74, 13, 17}, QStringLiteral("%"));
        row("lblR", f2, {80, 34, 13, 15}, QStringLiteral("R:"), QStringLiteral("Rojo"));
        row("lblG", f2, {80, 54, 15, 15}, QStringLiteral("G:"), QStringLiteral("Verde"));
        row("lblB", f2, {80, 74, 13, 15}, QStringLiteral("B:"), QStringLiteral("Azul"));
        row("Text1", f2, {92, 32, 25, 19}, QStringLiteral("255"), QStringLiteral("Rojo"));
        row("Text2", f2, {92, 52, 25, 19}, QStringLiteral("0"), QStringLiteral("Verde"));
        row("Text3", f2, {92, 72, 25, 19}, QStringLiteral("0"), QStringLiteral("Azul"));
        row("Frame1", window, {308, 74, 113, 67}, {});
        row("Label1", f1, {8, 10, 39, 13}, QStringLiteral("Nuevo"));
        row("lblSelColor", f1, {8, 24, 49, 29}, {});
        row("Label3", f1, {64, 10, 43, 13}, QStringLiteral("Anterior"));
        row("Label2", f1, {57, 24, 48, 29}, {});
        row("Label4", window, {312, 240, 25, 17}, QStringLiteral("Bin:"));
        row("txtcolor", window, {344, 240, 89, 19}, {});
        row("Label5", window, {312, 264, 25, 17}, QStringLiteral("Hex:"));
        row("txtcolorhex", window, {344, 264, 89, 19}, {});
        row("Frame3", window, {0, 344, 441, 121}, {});
        row("Image1", f3, {0, 0, 444, 101}, {});
        row("txtejemplo", f3, {8, 32, 361, 41}, {});
        row("Picture1", f3, {376, 28, 56, 45}, {}, QStringLiteral("Aplicar color"));
        row("Picture2", f3, {376, 28, 56, 45}, {}, QStringLiteral("Aplicar color"));
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        auto form = openEditor();
        form->setObjectName(QStringLiteral("Form1"));
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(controlText(control), text);
        QCOMPARE(control->toolTip(), tip);
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
    }

    void coloursAndFonts() {
        auto form = openEditor();
        QCOMPARE(form->Frame1->palette().color(QPalette::Window), QColor(0xD9, 0xD1, 0xC8));
        QCOMPARE(form->Frame2->palette().color(QPalette::Window), QColor(0xD9, 0xD1, 0xC8));
        QCOMPARE(form->Frame3->palette().color(QPalette::Window), QColor(0xCF, 0xD8, 0xEF));
        QCOMPARE(form->txtcolor->palette().color(QPalette::Base), QColor(0xD9, 0xD1, 0xC8));
        QCOMPARE(form->txtcolorhex->palette().color(QPalette::Base), QColor(0xD9, 0xD1, 0xC8));
        QCOMPARE(form->Label5->palette().color(QPalette::Window), QColor(0xD9, 0xD1, 0xC8));
        QCOMPARE(form->txtejemplo->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(form->lblH->font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(form->lblH->font().pointSizeF(), 12.0);
        QCOMPARE(form->lblS->font().pointSizeF(), 8.25);
        QCOMPARE(form->lblBB->font().pointSizeF(), 8.25);
        QCOMPARE(form->Picture1->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(form->Picture2->cursor().shape(), Qt::PointingHandCursor);
        for (EventLineEdit* field : {form->txtH, form->txtS, form->txtB})
            QCOMPARE(field->maxLength(), 4);
        QVERIFY(form->Picture1->isVisible());
        QVERIFY(!form->Picture2->isVisible());

        // The fields' own sunken border: dark along the top and left, white along the rest.
        const QImage field = form->txtcolor->grab().toImage();
        QCOMPARE(QColor(field.pixel(0, 0)), QColor(0x80, 0x80, 0x80));
        QCOMPARE(QColor(field.pixel(0, 18)), QColor(0x80, 0x80, 0x80));
        QCOMPARE(QColor(field.pixel(88, 18)), QColor(255, 255, 255));
        QCOMPARE(QColor(field.pixel(88, 1)), QColor(255, 255, 255));
        QCOMPARE(QColor(field.pixel(80, 9)), QColor(0xD9, 0xD1, 0xC8));

        // The panels are their exact colour inside, not shaded by the style's group box.
        for (tintaro::EtchedFrame* panel : {form->Frame1, form->Frame2}) {
            const QImage inside = panel->grab().toImage();
            QCOMPARE(QColor(inside.pixel(panel->width() / 2, 4)), QColor(0xD9, 0xD1, 0xC8));
            QCOMPARE(QColor(inside.pixel(panel->width() - 5, 5)), QColor(0xD9, 0xD1, 0xC8));
        }
    }

    // A desktop's dark colour scheme must not put light text on the fixed light panels.
    void darkDesktopScheme() {
        const SchemeGuard restore;
        QApplication::setPalette(darkScheme());
        auto form = openEditor();
        const QList<QWidget*> texts{form->Label1, form->lblH, form->lblR, form->Label5, form->optH};
        for (QWidget* text : texts)
            QCOMPARE(text->palette().color(text->foregroundRole()), QColor(Qt::black));
        QCOMPARE(form->txtH->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(form->txtH->palette().color(QPalette::Text), QColor(Qt::black));
    }

    void sampleText() {
        auto form = openEditor();
        QCOMPARE(form->txtejemplo->toPlainText(),
                 QStringLiteral(" Zelkor Tintaro\ncreado por Zelkor\nhttps://zelkor.example/\n"));
        QCOMPARE(form->txtejemplo->palette().color(QPalette::Text), QColor(255, 0, 0));
    }

    // Everything outside the picker and its frames and marker is the background picture and
    // the window colour beyond it.
    void backgroundPicture() {
        Form1Probe unloaded;
        const QImage picture(QStringLiteral(":/editor/background.png"));
        QCOMPARE(picture.size(), QSize(440, 342));
        for (int y = 0; y < 454; ++y) {
            for (int x = 0; x < 441; ++x) {
                const QRgb expected =
                    x < 440 && y < 342 ? picture.pixel(x, y) : qRgb(0xCF, 0xD8, 0xEF);
                const Rgb actual = rgbAt(unloaded, x, y);
                if (actual != Rgb{qRed(expected), qGreen(expected), qBlue(expected)})
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    void stateAfterLoad() {
        auto form = openEditor();
        const PickerState& s = form->state();
        QCOMPARE(s.pickerBitmapInfo.biSize, 40);
        QCOMPARE(s.pickerBitmapInfo.biPlanes, std::int16_t{1});
        QCOMPARE(s.pickerBitmapInfo.biBitCount, std::int16_t{24});
        QCOMPARE((std::vector<int>{s.squareLeft, s.squareTop, s.squareRight, s.squareBottom,
                                   s.sliderLeft, s.sliderTop, s.sliderRight, s.sliderBottom}),
                 (std::vector<int>{10, 80, 265, 335, 277, 80, 292, 335}));
        QCOMPARE(s.markerX, 265);
        QCOMPARE(s.markerY, 80);
        QCOMPARE(s.sliderY, 335.0f);
        QCOMPARE(s.squareDragging, kFalse);
        QCOMPARE(s.sliderDragging, kFalse);

        QCOMPARE(form->txtH->text(), QStringLiteral("0"));
        QCOMPARE(form->txtS->text(), QStringLiteral("100"));
        QCOMPARE(form->txtB->text(), QStringLiteral("100"));
        QCOMPARE(form->Text1->text(), QStringLiteral("255"));
        QCOMPARE(form->Text2->text(), QStringLiteral("0"));
        QCOMPARE(form->Text3->text(), QStringLiteral("0"));
        QVERIFY(form->txtcolor->text().isEmpty());
        QVERIFY(form->txtcolorhex->text().isEmpty());
        QCOMPARE(form->lblSelColor->backColor(), 0x000000FF);
        QCOMPARE(form->Label2->backColor(), 0x000000FF);
        QVERIFY(form->optH->isChecked());

        // The square for pure red: white top left, red top right (the marker's centre pixel
        // is not part of its circle), black bottom row; the strip red at both ends.
        QCOMPARE(rgbAt(*form, 10, 80), Rgb(255, 255, 255));
        QCOMPARE(rgbAt(*form, 265, 80), Rgb(255, 0, 0));
        for (int x = 10; x <= 265; ++x)
            QCOMPARE(rgbAt(*form, x, 335), Rgb(0, 0, 0));
        QCOMPARE(rgbAt(*form, 277, 80), Rgb(255, 0, 0));
        QCOMPARE(rgbAt(*form, 277, 335), Rgb(255, 0, 0));
        // One marker at (265, 80) and one pair of arrows at row 335.
        QCOMPARE(differencesFromFresh(*form), 0);
        QVERIFY(form->surface().point(260, 80) != form->surface().point(259, 81));
    }

    // The window is on screen before the square is rendered, and what is shown is the
    // surface itself.
    void visibleBeforeSquare() {
        Form1Probe form;
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        const ColorRef backgroundSquare = form.surface().point(100, 200);
        const ColorRef backgroundStrip = form.surface().point(280, 200);
        ShowWatcher watcher(form);
        form.Show();
        QVERIFY(watcher.shown);
        QCOMPARE(watcher.squareAtShow, backgroundSquare);
        QCOMPARE(watcher.stripAtShow, backgroundStrip);
        QVERIFY(form.surface().point(100, 200) != backgroundSquare);

        const QImage shown = form.picture->grab().toImage();
        QCOMPARE(QColor(shown.pixel(10, 80)), QColor(255, 255, 255));
        QCOMPARE(QColor(shown.pixel(277, 80)), QColor(255, 0, 0));
    }

    // Pictures of the window in each mode for a person to look at; set TINTARO_EDITOR_SHOTS to
    // a folder to write them.
    void screenshots() {
        const QString folder = qEnvironmentVariable("TINTARO_EDITOR_SHOTS");
        if (folder.isEmpty())
            QSKIP("TINTARO_EDITOR_SHOTS not set");
        auto form = openEditor();
        press(*form, {120, 150});
        release(*form, {120, 150});
        QVERIFY(form->grab().save(folder + QStringLiteral("/editor-hue.png")));
        QTest::mouseClick(form->optS, Qt::LeftButton);
        press(*form, {60, 120});
        release(*form, {60, 120});
        QVERIFY(form->grab().save(folder + QStringLiteral("/editor-saturation.png")));
        QTest::mouseClick(form->optB, Qt::LeftButton);
        press(*form, {200, 250});
        release(*form, {200, 250});
        form->Picture1_MouseMove();
        QVERIFY(form->grab().save(folder + QStringLiteral("/editor-brightness.png")));
    }

    void defaultInstanceIsSingle() {
        Form1* first = Form1::defaultInstance();
        QCOMPARE(Form1::defaultInstance(), first);
        delete first;
        QVERIFY(Form1::defaultInstance() != nullptr);
        delete Form1::defaultInstance();
    }
};

QTEST_MAIN(Form1LoadTest)
#include "Form1LoadTest.moc"
