// SPDX-License-Identifier: MIT
#pragma once

#include "PickerCanvas.h"
#include "Surface.h"

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tintaro::test {

// The editor's client area and picker state as the window starts. The surface starts as noise, so
// that any pixel a renderer wrongly touches or leaves shows.
struct PickerFixture {
    Surface surface{441, 454, 0x00EFD8CF};
    PickerState state;
    PickerCanvas canvas{surface, state};
    std::vector<std::string> events;

    explicit PickerFixture(bool noise = true) {
        canvas.show = [this] { events.push_back("show"); };
        canvas.refresh = [this] { events.push_back("refresh"); };
        if (noise) {
            std::mt19937 rng(1234);
            for (int y = 0; y < surface.height(); ++y)
                for (int x = 0; x < surface.width(); ++x)
                    surface.setPixel(x, y, static_cast<ColorRef>(rng() & 0xFFFFFFu));
        }
    }

    std::vector<std::uint32_t> snapshot() const {
        return {surface.pixels(), surface.pixels() + surface.width() * surface.height()};
    }

    std::uint32_t at(const std::vector<std::uint32_t>& snap, int x, int y) const {
        return snap[static_cast<std::size_t>(y) * surface.width() + x];
    }
};

inline ColorRef rgb(int r, int g, int b) {
    return RGB(r, g, b);
}
// A surface pixel (0xFFRRGGBB) as a colour value.
inline ColorRef toColorRef(std::uint32_t px) {
    return RGB(static_cast<int>((px >> 16) & 0xFF), static_cast<int>((px >> 8) & 0xFF),
               static_cast<int>(px & 0xFF));
}

// nearest(num / den) in exact integer arithmetic, halves to even (den > 0): the reference the
// colour rules' floating-point rounding is checked against.
inline int exactNearest(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1) != 0))
        ++q;
    return static_cast<int>(q);
}

// The pen a surface is left with, read from what a short line does on a copy of it: whether it
// inverts, and how many rows its width covers.
inline std::pair<bool, int> penOf(const Surface& surface) {
    Surface probe = surface;
    for (int y = 0; y < 20; ++y)
        probe.setPixel(100, y, 0);
    probe.setForeColor(RGB(1, 2, 3));
    probe.horizontalLine(100, 101, 10);
    std::pair<bool, int> pen{false, 0};
    for (int y = 0; y < 20; ++y)
        if (probe.point(100, y) != 0)
            pen = {probe.point(100, y) == 0xFFFFFF, pen.second + 1};
    return pen;
}
inline const std::pair<bool, int> kInvertingPen{true, 1}, kCopyPen{false, 1};

// The classic 3-D colours of the sunken frames.
inline constexpr ColorRef kFrameDark = RGB(64, 64, 64);
inline constexpr ColorRef kFrameLight = RGB(212, 208, 200);

} // namespace tintaro::test
