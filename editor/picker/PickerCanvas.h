// SPDX-License-Identifier: MIT
#pragma once

#include "PickerState.h"
#include "Surface.h"

#include <functional>

namespace tintaro {

// The editor window as the picker renderers see it: its persistent surface, the shared picker
// state, and the two window operations they need (show, refresh). Qt-free; the window supplies
// the hooks.
class PickerCanvas {
public:
    PickerCanvas(Surface& surface, PickerState& state);

    Surface& surface() { return m_surface; }
    PickerState& state() { return m_state; }

    // Makes the window visible (modeless). No-op until a hook is set.
    void setShowHook(std::function<void()> hook) { m_show = std::move(hook); }
    // Presents what was drawn on the device context. No-op until a hook is set.
    void setRefreshHook(std::function<void()> hook) { m_refresh = std::move(hook); }
    void refresh();

    // The window's own picker routines.
    // Shows the window, then renders the 15 x 256 hue strip and its frame.
    void DrawHueSlider();
    // Inverts the marker circle (radius 5) about (markerX, markerY); leaves draw mode invert.
    void DrawPicker();
    // Sunken frame around the square, (squareLeft-1, squareTop-1, squareRight+3,
    // squareBottom+3), then a refresh.
    void DrawSelFrame();
    // Sunken frame around the slider, (sliderLeft-1, sliderTop-1, sliderRight+1,
    // sliderBottom+3), then a refresh.
    void DrawMainFrame();

private:
    void show();

    Surface& m_surface;
    PickerState& m_state;
    std::function<void()> m_show;
    std::function<void()> m_refresh;
};

} // namespace tintaro
