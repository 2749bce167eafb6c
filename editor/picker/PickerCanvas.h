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
    PickerCanvas(Surface& surface, PickerState& state)
        : m_surface(surface)
        , m_state(state) {}

    Surface& surface() { return m_surface; }
    PickerState& state() { return m_state; }

    // Makes the window visible (modeless).
    void setShowHook(std::function<void()> hook) { m_show = std::move(hook); }
    // Presents what was drawn on the surface.
    void setRefreshHook(std::function<void()> hook) { m_refresh = std::move(hook); }

    // Shows the window, then renders the 15 x 256 hue strip and its frame.
    void DrawHueSlider();
    // Inverts the marker circle (radius 5) about (markerX, markerY); leaves draw mode invert.
    void DrawPicker();
    // The sunken frames around the square and the slider, each followed by a refresh.
    void DrawSelFrame();
    void DrawMainFrame();

private:
    Surface& m_surface;
    PickerState& m_state;
    std::function<void()> m_show = [] {};
    std::function<void()> m_refresh = [] {};
};

} // namespace tintaro
