// SPDX-License-Identifier: MIT
// Picking with the mouse: presses, drags and releases on the square and the slider, in every
// mode, with the colour read back from the surface.
#include "ClickLabel.h"
#include "EditorTestSupport.h"
#include "EventLineEdit.h"
#include "SurfaceWidget.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <cmath>

using namespace tintaro;
using namespace tintaro::test;

namespace {

struct Snapshot {
    QStringList fields;
    ColorRef swatch;
    int markerX;
    int markerY;
    float sliderY;
    std::vector<std::uint32_t> pixels;
};

Snapshot snapshot(Form1Probe& form) {
    const Surface& s = form.surface();
    return {{form.txtH->text(), form.txtS->text(), form.txtB->text(), form.Text1->text(),
             form.Text2->text(), form.Text3->text(), form.txtcolor->text(),
             form.txtcolorhex->text()},
            form.lblSelColor->backColor(),
            form.state().markerX,
            form.state().markerY,
            form.state().sliderY,
            {s.pixels(), s.pixels() + s.width() * s.height()}};
}

QString rgbFields(Form1& form) {
    return form.Text1->text() + QLatin1Char(',') + form.Text2->text() + QLatin1Char(',') +
           form.Text3->text();
}

QString split(ColorRef colour) {
    return QStringLiteral("%1,%2,%3")
        .arg(colour & 0xFF)
        .arg((colour >> 8) & 0xFF)
        .arg((colour >> 16) & 0xFF);
}

} // namespace

class Form1MouseTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void squarePressHueMode_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("markerX");
        QTest::addColumn<int>("markerY");
        QTest::addColumn<QString>("saturation");
        QTest::addColumn<QString>("brightness");
        QTest::newRow("bottom right") << QPointF(265, 335) << 265 << 335 << "100"
                                      << "0";
        QTest::newRow("top left") << QPointF(10, 80) << 10 << 80 << "0"
                                  << "100";
        QTest::newRow("halves to even") << QPointF(100.5, 150.5) << 100 << 150 << "35"
                                        << "72";
        QTest::newRow("halves up to even") << QPointF(101.5, 151.5) << 102 << 152 << "36"
                                           << "71";
        QTest::newRow("fraction") << QPointF(137.4, 207.6) << 137 << 208 << "49"
                                  << "49";
    }

    void squarePressHueMode() {
        QFETCH(QPointF, at);
        QFETCH(int, markerX);
        QFETCH(int, markerY);
        QFETCH(QString, saturation);
        QFETCH(QString, brightness);
        auto form = openEditor();
        press(*form, at);
        QCOMPARE(form->state().squareDragging, kTrue);
        QCOMPARE(form->state().markerX, markerX);
        QCOMPARE(form->state().markerY, markerY);
        QCOMPARE(form->txtS->text(), saturation);
        QCOMPARE(form->txtB->text(), brightness);
        const ColorRef underMarker = form->surface().point(markerX, markerY);
        QCOMPARE(form->lblSelColor->backColor(), underMarker);
        QCOMPARE(rgbFields(*form), split(underMarker));
        QCOMPARE(form->txtcolor->text(), QString::number(underMarker));
        QCOMPARE(form->txtcolorhex->text(), QString::number(underMarker, 16).toUpper());
        QCOMPARE(differencesFromFresh(*form), 0);
        release(*form, at);
        QCOMPARE(form->state().squareDragging, kFalse);
    }

    void cornerColours() {
        auto form = openEditor();
        press(*form, {265, 335});
        QCOMPARE(form->lblSelColor->backColor(), 0);
        release(*form, {265, 335});
        press(*form, {10, 80});
        QCOMPARE(form->lblSelColor->backColor(), 0xFFFFFF);
        QCOMPARE(form->txtcolor->text(), QStringLiteral("16777215"));
        QCOMPARE(form->txtcolorhex->text(), QStringLiteral("FFFFFF"));
        QCOMPARE(form->txtejemplo->palette().color(QPalette::Text), QColor(255, 255, 255));
    }

    void pressesThatDoNothing_data() {
        QTest::addColumn<QPointF>("at");
        QTest::newRow("right of square") << QPointF(266, 200);
        QTest::newRow("left of slider") << QPointF(276, 200);
        QTest::newRow("above square") << QPointF(100, 79);
        QTest::newRow("just above square") << QPointF(100, 79.9);
        QTest::newRow("slider right end") << QPointF(303, 200);
        QTest::newRow("slider left arrows") << QPointF(275, 200);
        QTest::newRow("below slider") << QPointF(290, 338);
        QTest::newRow("above slider's reach") << QPointF(290, 77.9);
    }

    void pressesThatDoNothing() {
        QFETCH(QPointF, at);
        auto form = openEditor();
        const Snapshot before = snapshot(*form);
        press(*form, at);
        QCOMPARE(form->state().squareDragging, kFalse);
        QCOMPARE(form->state().sliderDragging, kFalse);
        const Snapshot after = snapshot(*form);
        QCOMPARE(after.fields, before.fields);
        QCOMPARE(after.swatch, before.swatch);
        QVERIFY(after.pixels == before.pixels);
    }

    void sliderPressHueMode_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<float>("sliderY");
        QTest::addColumn<QString>("hue");
        QTest::newRow("above the strip") << QPointF(300, 78) << 80.0f << "360";
        QTest::newRow("below the strip") << QPointF(280, 337) << 335.0f << "0";
        QTest::newRow("fraction kept") << QPointF(290, 150.25) << 150.25f << "260";
    }

    void sliderPressHueMode() {
        QFETCH(QPointF, at);
        QFETCH(float, sliderY);
        QFETCH(QString, hue);
        auto form = openEditor();
        const Snapshot before = snapshot(*form);
        press(*form, at);
        QCOMPARE(form->state().sliderDragging, kTrue);
        QCOMPARE(form->state().sliderY, sliderY);
        QCOMPARE(form->txtH->text(), hue);
        // The preview: saturation and brightness 100 leave the strip's colour as it is.
        const int row = conv::roundToInt32(sliderY);
        QCOMPARE(form->lblSelColor->backColor(), form->surface().point(282, row));
        // Until the release only txtH and the swatch change.
        QCOMPARE(rgbFields(*form), QStringLiteral("255,0,0"));
        QVERIFY(form->txtcolor->text().isEmpty());
        QCOMPARE(form->state().markerX, before.markerX);
    }

    // A strip drag in hue mode changes only txtH and the swatch; the release renders the new
    // hue and takes the colour under the unmoved marker.
    void hueSliderDrag() {
        auto form = openEditor();
        press(*form, {100, 150}); // marker somewhere inside the square
        release(*form, {100, 150});
        const Snapshot before = snapshot(*form);

        press(*form, {284, 300});
        move(*form, {150, 150.4}); // over the square: still the slider drag
        QCOMPARE(form->state().sliderY, 150.4f);
        QCOMPARE(form->txtH->text(), QStringLiteral("260"));
        // The preview whitens and darkens the strip's colour by the fields (35 %, 72 %).
        const ColorRef hueAtRow = form->surface().point(282, 150);
        int preview[3];
        for (int i = 0; i < 3; ++i) {
            const int v = (hueAtRow >> (8 * i)) & 0xFF;
            preview[i] = int(std::nearbyint((double((255 - v) * (100 - 35)) / 100 + v) * 72 / 100));
        }
        QCOMPARE(form->lblSelColor->backColor(), RGB(preview[0], preview[1], preview[2]));
        QCOMPARE(form->state().markerX, before.markerX);
        QCOMPARE(form->state().markerY, before.markerY);
        QCOMPARE(form->txtS->text(), before.fields[1]);
        QCOMPARE(form->txtB->text(), before.fields[2]);
        QCOMPARE(rgbFields(*form), before.fields[3] + QLatin1Char(',') + before.fields[4] +
                                       QLatin1Char(',') + before.fields[5]);
        QCOMPARE(form->txtcolor->text(), before.fields[6]);
        for (int x = 10; x <= 265; x += 5) // the square is not re-rendered during the drag
            QCOMPARE(form->surface().pixels()[300 * 441 + x],
                     before.pixels[std::size_t(300 * 441 + x)]);

        release(*form, {150, 150.4});
        QCOMPARE(form->state().sliderDragging, kFalse);
        QCOMPARE(form->state().markerX, 100);
        QCOMPARE(form->state().markerY, 150);
        const ColorRef underMarker = form->surface().point(100, 150);
        QCOMPARE(form->lblSelColor->backColor(), underMarker);
        QCOMPARE(rgbFields(*form), split(underMarker));
        QCOMPARE(form->txtcolor->text(), QString::number(underMarker));
        // The square's top right corner now shows the hue of row 150.
        QCOMPARE(form->surface().point(265, 80), hueAtRow);
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void dragLeavingWindow() {
        auto form = openEditor();
        press(*form, {120, 120});
        move(*form, {-50.5, -30});
        QCOMPARE(form->state().markerX, 10);
        QCOMPARE(form->state().markerY, 80);
        QCOMPARE(form->lblSelColor->backColor(), 0xFFFFFF);
        QCOMPARE(differencesFromFresh(*form), 0);
        move(*form, {900, 2000});
        QCOMPARE(form->state().markerX, 265);
        QCOMPARE(form->state().markerY, 335);
        QCOMPARE(form->lblSelColor->backColor(), 0);
        release(*form, {900, 2000});
        QCOMPARE(differencesFromFresh(*form), 0);

        press(*form, {284, 200});
        move(*form, {284, -500});
        QCOMPARE(form->state().sliderY, 80.0f);
        move(*form, {-400, 5000});
        QCOMPARE(form->state().sliderY, 335.0f);
        release(*form, {-400, 5000});
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void rightButtonDuringDrag() {
        auto form = openEditor();
        press(*form, {100, 100});
        const Snapshot during = snapshot(*form);
        press(*form, {150, 150}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        move(*form, {160, 160}, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(form->state().markerX, 100);
        QVERIFY(snapshot(*form).pixels == during.pixels);
        release(*form, {160, 160}, Qt::RightButton, Qt::LeftButton);
        QCOMPARE(form->state().squareDragging, kFalse);
        move(*form, {200, 200}, Qt::LeftButton);
        QCOMPARE(form->state().markerX, 100);
        QCOMPARE(form->state().markerY, 100);
        release(*form, {200, 200});
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void rightPressDoesNothing() {
        auto form = openEditor();
        const Snapshot before = snapshot(*form);
        press(*form, {100, 100}, Qt::RightButton, Qt::RightButton);
        QCOMPARE(form->state().squareDragging, kFalse);
        QVERIFY(snapshot(*form).pixels == before.pixels);
    }

    void saturationModeSquareClick() {
        auto form = openEditor();
        QTest::mouseClick(form->optS, Qt::LeftButton);
        press(*form, {137, 80});
        QCOMPARE(form->txtH->text(), QStringLiteral("179"));
        QCOMPARE(form->txtB->text(), QStringLiteral("100"));
        const ColorRef atArrows = form->surface().point(282, 335);
        QCOMPARE(form->lblSelColor->backColor(), atArrows);
        QCOMPARE(rgbFields(*form), split(atArrows));
        // The slider was rendered for the picked colour: its top is the square's pixel.
        QCOMPARE(form->surface().point(284, 80), form->surface().point(137, 80));
        QCOMPARE(differencesFromFresh(*form), 0);
        release(*form, {137, 80});
    }

    // In saturation mode the square is hue across and brightness up: both readouts follow the
    // marker, floored.
    void saturationModeReadouts_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("hue");
        QTest::addColumn<QString>("brightness");
        QTest::newRow("top, middle") << QPointF(137, 80) << "179"
                                     << "100";
        QTest::newRow("two rows up") << QPointF(10, 333) << "0"
                                     << "0";
        QTest::newRow("bottom, halves to even") << QPointF(100.5, 334.6) << "127"
                                                << "0";
        QTest::newRow("just under half") << QPointF(265, 208) << "360"
                                         << "49";
        QTest::newRow("just over half") << QPointF(200, 205) << "268"
                                        << "50";
    }

    void saturationModeReadouts() {
        QFETCH(QPointF, at);
        QFETCH(QString, hue);
        QFETCH(QString, brightness);
        auto form = openEditor();
        QTest::mouseClick(form->optS, Qt::LeftButton);
        const QString saturation = form->txtS->text();
        press(*form, at);
        QCOMPARE(form->txtH->text(), hue);
        QCOMPARE(form->txtB->text(), brightness);
        QCOMPARE(form->txtS->text(), saturation);
        release(*form, at);
    }

    void brightnessModeSquareClick() {
        auto form = openEditor();
        QTest::mouseClick(form->optB, Qt::LeftButton);
        press(*form, {10, 335});
        QCOMPARE(form->txtS->text(), QStringLiteral("0"));
        QCOMPARE(form->txtH->text(), QStringLiteral("0"));
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void sliderInOtherModes() {
        auto form = openEditor();
        QTest::mouseClick(form->optS, Qt::LeftButton);
        press(*form, {284, 207.5});
        QCOMPARE(form->txtS->text(), QStringLiteral("50"));
        const ColorRef atArrows = form->surface().point(282, 208);
        QCOMPARE(form->lblSelColor->backColor(), atArrows);
        QCOMPARE(rgbFields(*form), split(atArrows));
        release(*form, {284, 207.5});
        QCOMPARE(differencesFromFresh(*form), 0);

        QTest::mouseClick(form->optB, Qt::LeftButton);
        press(*form, {284, 80});
        QCOMPARE(form->txtB->text(), QStringLiteral("100"));
        release(*form, {284, 80});
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    void previewHueColor_data() {
        QTest::addColumn<int>("saturation");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<ColorRef>("colour");
        QTest::newRow("half and half") << 50 << 50 << RGB(128, 64, 64);
        QTest::newRow("no saturation") << 0 << 100 << RGB(255, 255, 255);
        QTest::newRow("full") << 100 << 100 << RGB(255, 0, 0);
        QTest::newRow("no brightness") << 100 << 0 << RGB(0, 0, 0);
        // Beyond 0..100 the product needs more than 16 bits; channels are held to 0..255.
        QTest::newRow("saturation far below") << -32768 << 100 << RGB(255, 255, 255);
        QTest::newRow("brightness above") << 100 << 200 << RGB(255, 0, 0);
        QTest::newRow("brightness negative") << 50 << -50 << RGB(0, 0, 0);
        QTest::newRow("saturation above") << 200 << 100 << RGB(255, 0, 0);
    }

    void previewHueColor() {
        QFETCH(int, saturation);
        QFETCH(int, brightness);
        QFETCH(ColorRef, colour);
        auto form = openEditor(); // arrows at row 335: pure red on the strip
        form->PreviewHueColor(static_cast<std::int16_t>(saturation),
                              static_cast<std::int16_t>(brightness));
        QCOMPARE(form->lblSelColor->backColor(), colour);
    }

    // Field texts that are no percentage still give a defined preview.
    void previewFromOddFields() {
        auto form = openEditor();
        form->txtS->setText(QStringLiteral("1e99"));
        press(*form, {284, 100});
        // Strip row 20 is (255, 0, 120): the whitening is negative and held at 0.
        QCOMPARE(form->lblSelColor->backColor(), RGB(255, 0, 0));
        release(*form, {284, 100});
        QCOMPARE(differencesFromFresh(*form), 0);
    }

    // On a scaled screen each surface pixel is a sharp block of the scale's size, so the
    // picture the user clicks is the one the handlers read.
    void pictureIsSharp() {
        auto form = openEditor();
        const QImage shown = form->picture->grab().toImage();
        const int ratio = qRound(shown.devicePixelRatio());
        QCOMPARE(shown.width(), 441 * ratio);
        for (int y = 76; y < 90; ++y) {
            for (int x = 5; x < 20; ++x) {
                const ColorRef c = form->surface().point(x, y);
                const QRgb expected = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
                for (int dy = 0; dy < ratio; ++dy)
                    for (int dx = 0; dx < ratio; ++dx)
                        QCOMPARE(shown.pixel(x * ratio + dx, y * ratio + dy) | 0xFF000000u,
                                 expected);
            }
        }
    }

    void printColorInfo() {
        auto form = openEditor();
        const ColorRef besideBox = form->surface().point(311, 100);
        form->PrintColorInfo(255, 0, 0, QStringLiteral("ABCDEF"));
        form->PrintColorInfo(12, 34, 56, QStringLiteral("0C2238"));

        // The same four lines printed once on a clean surface.
        Surface expected(441, 454, form->surface().backColor());
        expected.setTextPainter(makeTextPainter(form->font()));
        const int line = QFontMetrics(form->font()).height();
        const char* lines[] = {"R: 12", "G: 34", "B: 56", "Hex: #0C2238"};
        for (int i = 0; i < 4; ++i) {
            expected.setCurrentX(312);
            expected.setCurrentY(80 + i * line);
            expected.print(lines[i]);
        }
        int ink = 0;
        for (int y = 80; y <= 130; ++y) {
            for (int x = 312; x <= 392; ++x) {
                QCOMPARE(form->surface().point(x, y), expected.point(x, y));
                ink += expected.point(x, y) != expected.backColor() ? 1 : 0;
            }
        }
        QVERIFY(ink > 50);
        QCOMPARE(form->surface().point(311, 100), besideBox);
    }
};

QTEST_MAIN(Form1MouseTest)
#include "Form1MouseTest.moc"
