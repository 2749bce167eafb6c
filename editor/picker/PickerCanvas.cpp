// SPDX-License-Identifier: MIT
#include "PickerCanvas.h"

#include "ColourRules.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace tintaro {

namespace {

// Geometry is the window's to set; sums on it are formed wide and held inside int so that no
// value can overflow.
int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

} // namespace

PickerCanvas::PickerCanvas(Surface& surface, PickerState& state)
    : m_surface(surface)
    , m_state(state) {}

void PickerCanvas::show() {
    if (m_show)
        m_show();
}

void PickerCanvas::refresh() {
    if (m_refresh)
        m_refresh();
}

void PickerCanvas::DrawHueSlider() {
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
    m_surface.fillRows(m_state.sliderLeft, clampToInt(std::int64_t(m_state.sliderLeft) + 15),
                       clampToInt(std::int64_t(m_state.sliderBottom) - 255), colours);
    DrawMainFrame();
}

void PickerCanvas::DrawPicker() {
    m_surface.setDrawMode(kDrawModeInvert);
    m_surface.setDrawWidth(1);
    m_surface.circle(m_state.markerX, m_state.markerY, 5);
}

void PickerCanvas::DrawSelFrame() {
    m_surface.drawEdgeSunkenInner(clampToInt(std::int64_t(m_state.squareLeft) - 1),
                                  clampToInt(std::int64_t(m_state.squareTop) - 1),
                                  clampToInt(std::int64_t(m_state.squareRight) + 3),
                                  clampToInt(std::int64_t(m_state.squareBottom) + 3));
    refresh();
}

void PickerCanvas::DrawMainFrame() {
    m_surface.drawEdgeSunkenInner(clampToInt(std::int64_t(m_state.sliderLeft) - 1),
                                  clampToInt(std::int64_t(m_state.sliderTop) - 1),
                                  clampToInt(std::int64_t(m_state.sliderRight) + 1),
                                  clampToInt(std::int64_t(m_state.sliderBottom) + 3));
    refresh();
}

} // namespace tintaro
