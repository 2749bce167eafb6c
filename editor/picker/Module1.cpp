// SPDX-License-Identifier: MIT
#include "Module1.h"

#include "ColourRules.h"

#include <algorithm>
#include <array>
#include <memory>

namespace tintaro::Module1 {

namespace {

using ColourRules::Rgb;

constexpr int kSide = 256;

// The squares keep a component only inside the byte range; anything else shows as 0.
std::uint32_t byteOrZero(int value) {
    return value >= 0 && value <= 255 ? static_cast<std::uint32_t>(value) : 0;
}

std::uint32_t squarePixel(int red, int green, int blue) {
    return 0xFF000000u | byteOrZero(red) << 16 | byteOrZero(green) << 8 | byteOrZero(blue);
}

// The end of a square render: the frame, then the marker drawn again.
void finishSquare(PickerCanvas& canvas) {
    canvas.state().pickerBitmapInfo.biWidth = kSide;
    canvas.state().pickerBitmapInfo.biHeight = kSide;
    canvas.DrawSelFrame();
    canvas.DrawPicker();
}

// The squares of brightness and saturation mode: `shade` is the mode's rule. Column x shows ramp
// position 255 - x.
template <typename Shade> void drawConstantSquare(PickerCanvas& canvas, Shade shade) {
    Surface& s = canvas.surface();
    const PickerState& st = canvas.state();
    canvas.DrawPicker(); // erases the marker
    s.setDrawMode(kDrawModeCopyPen);

    std::array<ColourRules::RampEntry, kSide> columns;
    for (int x = 0; x < kSide; ++x)
        columns[static_cast<std::size_t>(x)] = ColourRules::SquareHueRamp(255 - x);
    std::array<std::uint32_t, kSide> row;
    for (int y = 0; y < kSide; ++y) {
        for (std::size_t x = 0; x < kSide; ++x) {
            const Rgb c = shade(columns[x], static_cast<std::uint8_t>(y));
            row[x] = squarePixel(c.red, c.green, c.blue);
        }
        s.copyRow(st.squareRight - 255, st.squareTop + y, row);
    }
    finishSquare(canvas);
}

// Each slider rule's results for components 0..255, formed once through the rule: the slider is
// redrawn on every drag step, where three divisions a line would cost more than the rest of the
// render. A component outside that range (read outside the window) is shaded directly.
using SliderRow = std::array<std::uint8_t, kSide>;
using SliderTable = std::array<SliderRow, kSide>;

template <typename Rule> void shadeRow(SliderRow& row, int q, Rule rule) {
    for (int i = 0; i < kSide; ++i)
        row[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(std::clamp(rule(q, i), 0, 255));
}

template <typename Rule> const SliderTable& sliderTable(Rule rule) {
    static const auto table = [rule] {
        auto t = std::make_unique<SliderTable>();
        for (int q = 0; q < kSide; ++q)
            shadeRow((*t)[static_cast<std::size_t>(q)], q, rule);
        return t;
    }();
    return *table;
}

// A slider: one line a row from the slider's top, each component shaded by `rule` and held to the
// byte range, then the frame.
template <typename Rule>
void drawSlider(PickerCanvas& canvas, std::int16_t red, std::int16_t green, std::int16_t blue,
                Rule rule) {
    Surface& s = canvas.surface();
    const PickerState& st = canvas.state();
    s.setDrawMode(kDrawModeCopyPen);
    s.setDrawWidth(1);
    const SliderTable& table = sliderTable(rule);
    SliderRow scratch[3];
    auto rowOf = [&](std::int16_t q, SliderRow& own) -> const SliderRow& {
        if (q >= 0 && q < kSide)
            return table[static_cast<std::size_t>(q)];
        shadeRow(own, q, rule);
        return own;
    };
    const SliderRow& r = rowOf(red, scratch[0]);
    const SliderRow& g = rowOf(green, scratch[1]);
    const SliderRow& b = rowOf(blue, scratch[2]);
    std::array<std::uint32_t, kSide> lines;
    for (std::size_t i = 0; i < kSide; ++i)
        lines[i] = 0xFF000000u | std::uint32_t(r[i]) << 16 | std::uint32_t(g[i]) << 8 | b[i];
    s.fillRows(st.sliderLeft, st.sliderRight, st.sliderTop, lines);
    canvas.DrawMainFrame();
}

} // namespace

void SplitRGB(std::int32_t colour, std::int16_t& red, std::int16_t& green, std::int16_t& blue) {
    red = static_cast<std::int16_t>(colour % 256);
    green = static_cast<std::int16_t>((colour / 256) % 256);
    blue = static_cast<std::int16_t>(((colour / 256) / 256) % 256);
}

void DrawSquareHueMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                       std::int16_t blue) {
    Surface& s = canvas.surface();
    canvas.DrawPicker(); // erases the marker
    s.setDrawMode(kDrawModeCopyPen);
    const PickerState& st = canvas.state();
    std::array<std::uint32_t, kSide> row;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x)
            row[static_cast<std::size_t>(x)] =
                squarePixel(ColourRules::ShadeSquareHueMode(red, static_cast<std::uint8_t>(x),
                                                            static_cast<std::uint8_t>(y)),
                            ColourRules::ShadeSquareHueMode(green, static_cast<std::uint8_t>(x),
                                                            static_cast<std::uint8_t>(y)),
                            ColourRules::ShadeSquareHueMode(blue, static_cast<std::uint8_t>(x),
                                                            static_cast<std::uint8_t>(y)));
        s.copyRow(st.squareLeft, st.squareTop + y, row);
    }
    finishSquare(canvas);
}

void DrawSliderArrows(PickerCanvas& canvas, std::int16_t y) {
    Surface& s = canvas.surface();
    const PickerState& st = canvas.state();
    s.setDrawMode(kDrawModeInvert);
    s.setDrawWidth(2);
    s.horizontalLine(st.sliderRight + 2, st.sliderRight + 5, y);
    s.horizontalLine(st.sliderLeft - 2, st.sliderLeft - 5, y);
    s.setDrawWidth(1);
}

void DrawSquareBrightnessMode(PickerCanvas& canvas) {
    drawConstantSquare(canvas, [](const ColourRules::RampEntry& e, std::uint8_t y) {
        return ColourRules::ShadeSquareBrightnessMode(e, y);
    });
}

void DrawSquareSaturationMode(PickerCanvas& canvas) {
    drawConstantSquare(canvas, [](const ColourRules::RampEntry& e, std::uint8_t y) {
        return ColourRules::ShadeSquareSaturationMode(e, y);
    });
}

void DrawSliderBrightnessMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue) {
    drawSlider(canvas, red, green, blue,
               [](int q, int i) { return ColourRules::ShadeSliderBrightnessMode(q, i); });
}

void DrawSliderSaturationMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue) {
    drawSlider(canvas, red, green, blue,
               [](int q, int i) { return ColourRules::ShadeSliderSaturationMode(q, i); });
}

} // namespace tintaro::Module1
