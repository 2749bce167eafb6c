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

// The state every editor routine shares. All zero until the editor's load sets it.
struct PickerState {
    // Geometry in client pixels, fixed at load: the square is squareLeft..squareRight x
    // squareTop..squareBottom inclusive; the slider strip is sliderLeft..sliderRight - 1 wide.
    std::int32_t squareLeft = 0;
    std::int32_t squareTop = 0;
    std::int32_t squareRight = 0;
    std::int32_t squareBottom = 0;
    std::int32_t sliderLeft = 0;
    std::int32_t sliderTop = 0;
    std::int32_t sliderRight = 0;
    std::int32_t sliderBottom = 0;

    // Centre of the marker circle.
    std::int32_t markerX = 0;
    std::int32_t markerY = 0;
    // Row of the slider arrows, kept unrounded.
    float sliderY = 0.0f;

    std::int16_t squareDragging = kFalse;
    std::int16_t sliderDragging = kFalse;

    BitmapInfoHeader pickerBitmapInfo;

    // The editor's load, in three parts (it draws the hue strip between the second and the third).
    // The bitmap header's fixed fields: 24-bit.
    void setBitmapHeader() {
        pickerBitmapInfo.biSize = 40;
        pickerBitmapInfo.biPlanes = 1;
        pickerBitmapInfo.biBitCount = 24;
    }
    // The geometry: a 256-pixel square at (10, 80) and a 15-pixel slider 12 pixels to its right.
    void setGeometry() {
        squareLeft = 10;
        squareTop = 80;
        squareRight = squareLeft + 255;
        squareBottom = squareTop + 255;
        sliderTop = squareTop;
        sliderLeft = squareRight + 12;
        sliderRight = squareRight + 27;
        sliderBottom = squareBottom;
    }
    // The marker at the square's top-right corner, the arrows at the slider's bottom row.
    void setLoadPositions() {
        markerX = squareRight;
        markerY = squareTop;
        sliderY = static_cast<float>(sliderBottom);
    }
};

} // namespace tintaro
