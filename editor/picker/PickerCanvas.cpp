// SPDX-License-Identifier: MIT
#include "PickerCanvas.h"

#include "ColourRules.h"

#include <array>
#include <cstdint>

namespace tintaro {

void PickerCanvas::DrawHueSlider() {
    m_show();
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

void PickerCanvas::DrawPicker() {
    m_surface.setDrawMode(kDrawModeInvert);
    m_surface.setDrawWidth(1);
    m_surface.circle(m_state.markerX, m_state.markerY, 5);
}

void PickerCanvas::DrawSelFrame() {
    m_surface.drawEdgeSunkenInner(m_state.squareLeft - 1, m_state.squareTop - 1,
                                  m_state.squareRight + 3, m_state.squareBottom + 3);
    m_refresh();
}

void PickerCanvas::DrawMainFrame() {
    m_surface.drawEdgeSunkenInner(m_state.sliderLeft - 1, m_state.sliderTop - 1,
                                  m_state.sliderRight + 1, m_state.sliderBottom + 3);
    m_refresh();
}

} // namespace tintaro
