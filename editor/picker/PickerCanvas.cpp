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

constexpr int kStripRowBytes = 48; // 15 pixels of 3 bytes, aligned to 4
constexpr int kStripRows = 256;
constexpr int kStripPixelsPerRow = 16; // the sixteenth lies in the alignment bytes

// The strip's pixels never change: the buffer is built once, row r holding StripHueRamp(r).
const std::array<std::uint8_t, kStripRowBytes * kStripRows>& stripBuffer() {
    static const auto buffer = [] {
        std::array<std::uint8_t, kStripRowBytes * kStripRows> bits{};
        for (int r = 0; r < kStripRows; ++r) {
            const ColourRules::Rgb c = ColourRules::StripHueRamp(r);
            std::uint8_t* p = bits.data() + r * kStripRowBytes;
            for (int k = 0; k < kStripPixelsPerRow; ++k, p += 3) {
                p[0] = static_cast<std::uint8_t>(c.blue);
                p[1] = static_cast<std::uint8_t>(c.green);
                p[2] = static_cast<std::uint8_t>(c.red);
            }
        }
        return bits;
    }();
    return buffer;
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
    m_state.pickerBitmapInfo.biHeight = kStripRows;
    // The negative height mirrors the bottom-up bitmap back, so buffer row r lands on
    // sliderTop + r.
    m_surface.stretchDib(m_state.sliderLeft, m_state.sliderBottom, 15, -kStripRows,
                         stripBuffer().data(), m_state.pickerBitmapInfo.biWidth,
                         m_state.pickerBitmapInfo.biHeight, 0, 0);
    DrawMainFrame();
}

void PickerCanvas::DrawPicker() {
    m_surface.setDrawMode(kDrawModeInvert);
    m_surface.setFillStyle(kFillTransparent);
    m_surface.setDrawWidth(1);
    m_surface.setDrawStyle(0);
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
