// SPDX-License-Identifier: MIT
#pragma once

// Helpers shared by the editor window's tests: an opened editor, mouse events with fractional
// positions, a recording registry, and a fresh rendering of the picker for a given state.

#include "Form1.h"
#include "Module1.h"
#include "Registry.h"
#include "SurfaceWidget.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <semaphore>
#include <string>
#include <tuple>
#include <vector>

namespace tintaro {

// The editor window with its picker state, surface and stores in reach of the tests.
class Form1Probe : public Form1 {
public:
    PickerState& state() { return m_state; }
    Surface& surface() { return m_surface; }
    ColourStore& colourStore() { return m_colourStore; }
};

} // namespace tintaro

namespace tintaro::test {

using Rgb = std::tuple<int, int, int>;

inline Rgb rgbAt(Form1Probe& form, int x, int y) {
    const ColorRef colour = form.surface().point(x, y);
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

inline ColorRef colourRef(const Rgb& rgb) {
    return RGB(std::get<0>(rgb), std::get<1>(rgb), std::get<2>(rgb));
}

// A loaded, shown editor. Deleted by the caller (not closed), so each test owns its window.
inline std::unique_ptr<Form1Probe> openEditor() {
    auto form = std::make_unique<Form1Probe>();
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->Show();
    return form;
}

// A mouse event as the window system delivers it, with a fractional position.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(Form1& form, QPointF position, Qt::MouseButton button = Qt::LeftButton,
                  Qt::MouseButtons held = Qt::LeftButton) {
    sendMouse(form.picture, QEvent::MouseButtonPress, position, button, held);
}

inline void move(Form1& form, QPointF position, Qt::MouseButtons held = Qt::LeftButton) {
    sendMouse(form.picture, QEvent::MouseMove, position, Qt::NoButton, held);
}

inline void release(Form1& form, QPointF position, Qt::MouseButton button = Qt::LeftButton,
                    Qt::MouseButtons held = Qt::NoButton) {
    sendMouse(form.picture, QEvent::MouseButtonRelease, position, button, held);
}

// Records the registry calls the apply button makes (on the editor's store thread: read them
// after the store has been waited for). Each store first waits for a permit from `open`, at
// most `patience`, as a slow Wine would; then it fails with `code` unless that is 0.
class FakeRegistry : public Registry {
public:
    struct Write {
        RegKey root;
        std::string path;
        std::string name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };

    FakeRegistry() { setCurrentRegistry(this); }
    ~FakeRegistry() override { setCurrentRegistry(nullptr); }
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    long createKey(RegKey root, std::string_view path, RegKey& key) override {
        static_cast<void>(open.try_acquire_for(patience));
        if (code != kErrorSuccess) {
            key = 0;
            return code;
        }
        m_root = root;
        m_path = std::string(path);
        key = 42;
        return kErrorSuccess;
    }
    long setValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        if (key == 42)
            writes.push_back({m_root, m_path, std::string(name), type, {data.begin(), data.end()}});
        return key == 42 ? kErrorSuccess : 6;
    }
    long closeKey(RegKey) override { return kErrorSuccess; }

    std::vector<Write> writes;
    long code = kErrorSuccess;
    std::chrono::milliseconds patience{0};
    std::counting_semaphore<64> open{0};

private:
    RegKey m_root = 0;
    std::string m_path;
};

// The surface as a fresh editor draws the same state: mode, hue (in hue mode, from the strip at
// the arrows), base colour (in the other modes, the pixel under the marker centre, which the
// circle never covers), the arrows' row and the marker. Comparing it with a used editor's
// surface shows exactly one marker and one pair of arrows, drawn where the state says.
inline std::vector<std::uint32_t> freshRendering(Form1Probe& used) {
    const PickerState& s = used.state();
    Form1Probe fresh;
    fresh.setAttribute(Qt::WA_DeleteOnClose, false);
    PickerState& t = fresh.state();
    PickerCanvas canvas(fresh.surface(), t);
    t = s;
    // Off the surface, so the renderers' marker inversions leave no trace.
    t.markerX = -1000;
    t.markerY = -1000;
    const int row = conv::roundToInt16(s.sliderY);
    std::int16_t red = 0;
    std::int16_t green = 0;
    std::int16_t blue = 0;
    if (used.optH->isChecked()) {
        Module1::SplitRGB(used.surface().point(s.sliderLeft + 3, row), red, green, blue);
        canvas.DrawHueSlider();
        Module1::DrawSquareHueMode(canvas, red, green, blue);
    } else {
        Module1::SplitRGB(used.surface().point(s.markerX, s.markerY), red, green, blue);
        if (used.optS->isChecked()) {
            Module1::DrawSquareSaturationMode(canvas);
            Module1::DrawSliderSaturationMode(canvas, red, green, blue);
        } else {
            Module1::DrawSquareBrightnessMode(canvas);
            Module1::DrawSliderBrightnessMode(canvas, red, green, blue);
        }
    }
    Module1::DrawSliderArrows(canvas, static_cast<std::int16_t>(row));
    t.markerX = s.markerX;
    t.markerY = s.markerY;
    canvas.DrawPicker();
    const Surface& surface = fresh.surface();
    return {surface.pixels(), surface.pixels() + surface.width() * surface.height()};
}

// Number of pixels where the used editor differs from its fresh rendering.
inline int differencesFromFresh(Form1Probe& used) {
    const std::vector<std::uint32_t> expected = freshRendering(used);
    const std::uint32_t* actual = used.surface().pixels();
    int differences = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        differences += expected[i] != actual[i] ? 1 : 0;
    return differences;
}

} // namespace tintaro::test
