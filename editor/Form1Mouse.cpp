// SPDX-License-Identifier: MIT
// The mouse side of the editor: picking in the square and on the slider, the hue preview while
// the strip is dragged, and the readout beside the slider.
#include "Form1.h"
#include "Module1.h"
#include "SurfaceWidget.h"

#include <QRadioButton>
#include <algorithm>

namespace tintaro {

namespace {

constexpr std::int16_t kLeftButton = 1;

// floor(numerator * scale / 255) for the square's position readouts. The position arithmetic
// is integer (64-bit, so no position can overflow it), the division double.
QString scaledFloorText(std::int64_t offset, std::int64_t scale) {
    const double product = static_cast<double>(offset * scale);
    return QString::number(conv::floorToInt32(product / 255.0));
}

// floor(((255 - y) + squareTop) * scale / 255) for the slider readouts, in double.
QString sliderFloorText(float y, std::int32_t squareTop, double scale) {
    const double value = ((255.0 - static_cast<double>(y)) + squareTop) * scale / 255.0;
    return QString::number(conv::floorToInt32(value));
}

} // namespace

void Form1::Form_MouseDown(std::int16_t Button, std::int16_t, float& X, float& Y) {
    if (Button != kLeftButton)
        return;
    PickerState& s = m_state;
    if (X >= s.squareLeft && X <= s.squareRight && Y >= s.squareTop && Y <= s.squareBottom) {
        s.squareDragging = kTrue;
        SelectFromSquare(X, Y);
    }
    // The slider takes presses on its arrows too: up to ten pixels right of the strip, and two
    // above and below it.
    if (X >= s.sliderLeft && X < s.sliderRight + 11 && Y >= s.sliderTop - 2 &&
        Y < s.sliderBottom + 3) {
        s.sliderDragging = kTrue;
        Y = std::clamp(Y, static_cast<float>(s.sliderTop), static_cast<float>(s.sliderBottom));
        SelectFromSlider(X, Y);
    }
    picture->present();
}

void Form1::Form_MouseMove(std::int16_t Button, std::int16_t, float& X, float& Y) {
    if (Button != kLeftButton)
        return;
    PickerState& s = m_state;
    if (s.squareDragging) {
        X = std::clamp(X, static_cast<float>(s.squareLeft), static_cast<float>(s.squareRight));
        Y = std::clamp(Y, static_cast<float>(s.squareTop), static_cast<float>(s.squareBottom));
        SelectFromSquare(X, Y);
    }
    if (s.sliderDragging) {
        Y = std::clamp(Y, static_cast<float>(s.sliderTop), static_cast<float>(s.sliderBottom));
        SelectFromSlider(X, Y);
    }
    picture->present();
}

void Form1::Form_MouseUp(std::int16_t, std::int16_t, float&, float&) {
    PickerState& s = m_state;
    s.squareDragging = kFalse;
    if (s.sliderDragging && optH->isChecked()) {
        // The new hue's square, then the colour now under the marker.
        drawHueSquareFromStrip(s.sliderLeft + 3);
        PickMarkerColor();
    }
    s.sliderDragging = kFalse;
    picture->present();
}

void Form1::SelectFromSquare(float& x, float& y) {
    PickerState& s = m_state;
    moveMarker(conv::roundToInt32(x), conv::roundToInt32(y));
    // The marker and the slider redrawn below are far apart: presented separately, only the
    // two small areas are repainted, not the box that spans both.
    picture->present();
    ColorRef picked = m_surface.point(s.markerX, s.markerY);

    const std::int64_t across = std::int64_t{s.markerX} - s.squareLeft;
    const std::int64_t up = std::int64_t{s.squareBottom} - s.markerY;
    if (optH->isChecked()) {
        setFieldText(txtS, scaledFloorText(across, 100));
        setFieldText(txtB, scaledFloorText(up, 100));
    } else {
        // The slider for the colour under the marker; the row's field, then the hue.
        const bool saturation = optS->isChecked();
        std::int16_t red = 0, green = 0, blue = 0;
        Module1::SplitRGB(picked, red, green, blue);
        (saturation ? Module1::DrawSliderSaturationMode
                    : Module1::DrawSliderBrightnessMode)(m_canvas, red, green, blue);
        setFieldText(saturation ? txtB : txtS, scaledFloorText(up, 100));
        setFieldText(txtH, scaledFloorText(across, 360));
        picked = m_surface.point(s.sliderLeft + 5, conv::roundToInt32(s.sliderY));
    }
    writeRgbFields(selectColour(picked));
}

void Form1::SelectFromSlider(float&, float& y) {
    PickerState& s = m_state;
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(s.sliderY));
    Module1::DrawSliderArrows(m_canvas, conv::roundToInt16(y));
    s.sliderY = y;
    const ColorRef picked = m_surface.point(s.sliderLeft + 5, conv::roundToInt32(y));

    if (optH->isChecked()) {
        setFieldText(txtH, sliderFloorText(y, s.squareTop, 360.0));
        PreviewHueColor(conv::roundToInt16(fieldValue(txtS)), conv::roundToInt16(fieldValue(txtB)));
    } else {
        writeRgbFields(selectColour(picked));
        setFieldText(optS->isChecked() ? txtS : txtB, sliderFloorText(y, s.squareTop, 100.0));
    }
}

void Form1::PreviewHueColor(std::int16_t saturation, std::int16_t brightness) {
    const PickerState& s = m_state;
    std::int16_t hue[3] = {0, 0, 0};
    Module1::SplitRGB(m_surface.point(s.sliderLeft + 5, conv::roundToInt32(s.sliderY)), hue[0],
                      hue[1], hue[2]);
    int shaded[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const std::int32_t v = hue[i];
        // The whitening product is formed exactly in 32 bits: field values far outside 0..100
        // would overflow 16 bits, and they give a defined colour instead of an error.
        const std::int32_t product = (255 - v) * (100 - std::int32_t{saturation});
        const double value = (static_cast<double>(product) / 100.0 + v) * brightness / 100.0;
        // Such a colour can leave 0..255; each channel is held to it when composed.
        shaded[i] = std::clamp<int>(conv::roundToInt16(value), 0, 255);
    }
    selectColour(RGB(shaded[0], shaded[1], shaded[2]));
}

void Form1::PrintColorInfo(std::int16_t red, std::int16_t green, std::int16_t blue,
                           const QString& hex) {
    m_surface.setFillColor(m_surface.backColor());
    m_surface.setForeColor(m_surface.backColor());
    m_surface.setDrawMode(kDrawModeCopyPen);
    // The readout's place beside the slider, level with the square's top; the filled box clears
    // the previous readout.
    const int left = m_state.sliderRight + 20;
    const int top = m_state.squareTop;
    m_surface.box(left, top, m_state.sliderRight + 100, top + 50);

    m_surface.setCurrentY(top);
    m_surface.setForeColor(0);
    const std::string lines[] = {"R: " + std::to_string(red), "G: " + std::to_string(green),
                                 "B: " + std::to_string(blue), "Hex: #" + hex.toStdString()};
    for (const std::string& line : lines) {
        m_surface.setCurrentX(left);
        m_surface.print(line);
    }
    picture->present();
}

void Form1::writeRgbFields(ColorRef colour) {
    std::int16_t red = 0, green = 0, blue = 0;
    Module1::SplitRGB(colour, red, green, blue);
    setFieldText(Text1, QString::number(red));
    setFieldText(Text2, QString::number(green));
    setFieldText(Text3, QString::number(blue));
}

} // namespace tintaro
