// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace tintaro {

// The fields of BITMAPINFOHEADER that the picker renderers fill; the others stay 0 (uncompressed).
struct BitmapInfoHeader {
    std::int32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::int16_t biPlanes = 0;
    std::int16_t biBitCount = 0;
};

// 16-bit booleans as the editor keeps them: true is -1, false is 0.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

// The state every editor routine shares, as the editor starts.
struct PickerState {
    // Geometry in client pixels: a 256-pixel square at (10, 80), squareLeft..squareRight x
    // squareTop..squareBottom inclusive, and a 15-pixel slider strip 12 pixels to its right,
    // sliderLeft..sliderRight - 1 wide.
    std::int32_t squareLeft = 10;
    std::int32_t squareTop = 80;
    std::int32_t squareRight = 265;
    std::int32_t squareBottom = 335;
    std::int32_t sliderLeft = 277;
    std::int32_t sliderTop = 80;
    std::int32_t sliderRight = 292;
    std::int32_t sliderBottom = 335;

    // Centre of the marker circle, first at the square's top-right corner.
    std::int32_t markerX = 265;
    std::int32_t markerY = 80;
    // Row of the slider arrows, kept unrounded, first the slider's bottom row.
    float sliderY = 335.0f;

    std::int16_t squareDragging = kFalse;
    std::int16_t sliderDragging = kFalse;

    // 24-bit; each renderer sets the width and height of its bitmap.
    BitmapInfoHeader pickerBitmapInfo{.biSize = 40, .biPlanes = 1, .biBitCount = 24};
};

} // namespace tintaro
