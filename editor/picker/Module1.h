// SPDX-License-Identifier: MIT
#pragma once

#include "PickerCanvas.h"

#include <cstdint>

// The surface renderers shared by the editor's handlers. Components are 16-bit and normally
// 0..255; any value is accepted without crashing.
namespace tintaro::Module1 {

// Splits a colour value with truncating division and a remainder of the dividend's sign:
// -1 gives (-1, 0, 0).
void SplitRGB(std::int32_t colour, std::int16_t& red, std::int16_t& green, std::int16_t& blue);

// Hue-mode square for the pure hue (red, green, blue); erases the marker first, draws it again.
void DrawSquareHueMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                       std::int16_t blue);
// Inverts the two slider arrows at row y (draw width 2, then back to 1).
void DrawSliderArrows(PickerCanvas& canvas, std::int16_t y);
// The two constant squares of brightness and saturation mode (marker erased and redrawn).
void DrawSquareBrightnessMode(PickerCanvas& canvas);
void DrawSquareSaturationMode(PickerCanvas& canvas);
// The sliders of brightness and saturation mode for a base colour: 256 lines, then the frame.
void DrawSliderBrightnessMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue);
void DrawSliderSaturationMode(PickerCanvas& canvas, std::int16_t red, std::int16_t green,
                              std::int16_t blue);

} // namespace tintaro::Module1
