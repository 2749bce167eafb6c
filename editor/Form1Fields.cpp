// SPDX-License-Identifier: MIT
// Mode buttons and value fields: typed values and mode switches become marker and slider
// positions; the colour is then read back from what the renderers drew.
#include "ClickLabel.h"
#include "EventLineEdit.h"
#include "Form1.h"
#include "MessageBox.h"
#include "Module1.h"
#include "SurfaceWidget.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tintaro {

namespace {

// A double as the single-precision slider row. Rows beyond the float range (a hue such as
// "1e99") are held to its ends rather than converted undefined; every later rounding saturates.
float toSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

bool hueIsInvalid(double hue) {
    return hue < 0 || hue != std::floor(hue) || hue > 360;
}

const QString kHueMessage = QStringLiteral("Enter an Integer Value Between 0 and 360");

} // namespace

void Form1::optH_Click() {
    PickerState& s = m_state;
    m_canvas.DrawHueSlider();
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
    s.sliderY = toSingle(std::floor(s.sliderBottom - fieldValue(txtH) * 255 / 360));
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
    drawHueSquareFromStrip(s.sliderLeft + 3);
    moveMarker(conv::roundToInt32(fieldValue(txtS) * 255 / 100 + s.squareLeft),
               conv::roundToInt32(s.squareBottom - fieldValue(txtB) * 255 / 100));
    selectColour(m_surface.point(s.markerX, s.markerY));
    picture->present();
}

void Form1::optS_Click() {
    showSquareMode(true);
}

void Form1::optB_Click() {
    showSquareMode(false);
}

void Form1::showSquareMode(bool saturation) {
    PickerState& s = m_state;
    (saturation ? Module1::DrawSquareSaturationMode : Module1::DrawSquareBrightnessMode)(m_canvas);
    moveMarker(
        conv::roundToInt32(fieldValue(txtH) * 255 / 360 + s.squareLeft),
        conv::roundToInt32(s.squareBottom - fieldValue(saturation ? txtB : txtS) * 255 / 100));
    std::int16_t red = 0, green = 0, blue = 0;
    Module1::SplitRGB(m_surface.point(s.markerX, s.markerY), red, green, blue);
    (saturation ? Module1::DrawSliderSaturationMode
                : Module1::DrawSliderBrightnessMode)(m_canvas, red, green, blue);
    picture->present();
}

void Form1::txtH_KeyUp(int, Qt::KeyboardModifiers) {
    PickerState& s = m_state;
    if (hueIsInvalid(fieldValue(txtH)))
        MsgBox(kHueMessage);
    if (fieldValue(txtH) < 0)
        setFieldText(txtH, QStringLiteral("0"));
    if (optH->isChecked() && !s.sliderDragging) {
        Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
        s.sliderY = toSingle(s.sliderBottom - fieldValue(txtH) * 255 / 360);
        Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
        drawHueSquareFromStrip(s.sliderLeft + 5);
        PickMarkerColor();
    }
    picture->present();
}

void Form1::txtH_LostFocus() {
    if (!hueIsInvalid(fieldValue(txtH)))
        return;
    MsgBox(kHueMessage);
    txtH->setFocus(Qt::OtherFocusReason);
}

void Form1::txtS_KeyUp(int, Qt::KeyboardModifiers) {
    if (!optH->isChecked())
        return;
    moveMarker(conv::roundToInt32(fieldValue(txtS) * 255 / 100 + m_state.squareLeft),
               m_state.markerY);
    PickMarkerColor();
    picture->present();
}

void Form1::txtB_KeyUp(int, Qt::KeyboardModifiers) {
    if (!optH->isChecked())
        return;
    moveMarker(m_state.markerX,
               conv::roundToInt32(m_state.squareBottom - fieldValue(txtB) * 255 / 100));
    PickMarkerColor();
    picture->present();
}

void Form1::drawHueSquareFromStrip(std::int32_t column) {
    std::int16_t red = 0, green = 0, blue = 0;
    Module1::SplitRGB(m_surface.point(column, conv::roundToInt32(m_state.sliderY)), red, green,
                      blue);
    Module1::DrawSquareHueMode(m_canvas, red, green, blue);
}

void Form1::moveMarker(std::int32_t x, std::int32_t y) {
    m_canvas.DrawPicker();
    m_state.markerX = x;
    m_state.markerY = y;
    m_canvas.DrawPicker();
}

void Form1::PickMarkerColor() {
    writeRgbFields(selectColour(m_surface.point(m_state.markerX, m_state.markerY)));
}

void Form1::refreshColourDisplays() {
    const ColorRef colour = lblSelColor->backColor();
    setFieldText(txtcolor, QString::number(colour));
    setFieldText(txtcolorhex,
                 QString::fromStdString(conv::hexText(static_cast<std::uint32_t>(colour))));
    setTextColour(txtcolor, 0);
    setTextColour(txtejemplo, colour);
}

} // namespace tintaro
