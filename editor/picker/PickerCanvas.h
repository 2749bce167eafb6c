// SPDX-License-Identifier: MIT
#pragma once

#include "ColourRules.h"
#include "Surface.h"

#include <array>
#include <cstdint>
#include <functional>

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

// The editor window as the picker renderers see it: its surface, the picker state, and the two
// window operations they need, which the window supplies.
class PickerCanvas {
public:
    PickerCanvas(Surface& surface, PickerState& state)
        : m_surface(surface)
        , m_state(state) {}

    Surface& surface() { return m_surface; }
    PickerState& state() { return m_state; }

    // Showing the window (modeless), and presenting what was drawn.
    std::function<void()> show = [] {};
    std::function<void()> refresh = [] {};

    // Shows the window, then renders the 15 x 256 hue strip and its frame.
    void DrawHueSlider() {
        show();
        m_surface.setDrawWidth(1);
        m_surface.setDrawMode(kDrawModeCopyPen);
        m_state.pickerBitmapInfo.biWidth = 15;
        m_state.pickerBitmapInfo.biHeight = 256;
        // Row r of the strip, counted up from its bottom row less 255, shows StripHueRamp(r).
        std::array<std::uint32_t, 256> colours;
        for (int r = 0; r < 256; ++r) {
            const ColourRules::Rgb c = ColourRules::StripHueRamp(r);
            colours[static_cast<std::size_t>(r)] = toPixel(RGB(c.red, c.green, c.blue));
        }
        m_surface.fillRows(m_state.sliderLeft, m_state.sliderLeft + 15, m_state.sliderBottom - 255,
                           colours);
        DrawMainFrame();
    }
    // Inverts the marker circle (radius 5) about (markerX, markerY); leaves draw mode invert.
    void DrawPicker() {
        m_surface.setDrawMode(kDrawModeInvert);
        m_surface.setDrawWidth(1);
        m_surface.circle(m_state.markerX, m_state.markerY, 5);
    }
    // The sunken frames around the square and the slider, each followed by a refresh.
    void DrawSelFrame() {
        m_surface.drawEdgeSunkenInner(m_state.squareLeft - 1, m_state.squareTop - 1,
                                      m_state.squareRight + 3, m_state.squareBottom + 3);
        refresh();
    }
    void DrawMainFrame() {
        m_surface.drawEdgeSunkenInner(m_state.sliderLeft - 1, m_state.sliderTop - 1,
                                      m_state.sliderRight + 1, m_state.sliderBottom + 3);
        refresh();
    }

private:
    Surface& m_surface;
    PickerState& m_state;
};

} // namespace tintaro
