// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

// The colour arithmetic of the picker surfaces: the two hue ramps and the shading rule of each
// surface. Each rule gives the exact pixel the surface shows (double precision in the order
// written, converted to the nearest integer), so the colours read back from the surfaces are
// reproducible bit for bit. Plain functions of their inputs; no state.
namespace tintaro::ColourRules {

// Red, green, blue components, each 0..255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The integer nearest to `value`, halves to the even neighbour, for a value inside int. Adding
// 1.5 x 2^52 leaves no fraction bits, so the sum is rounded by the FPU's round-to-nearest-even;
// plain arithmetic, so loops over pixels vectorise.
inline int nearest(double value) {
    constexpr double kShift = 6755399441055744.0;
    return static_cast<int>((value + kShift) - kShift);
}

// Hue strip. Row 0..255 (0 at the top) -> the strip's colour: red at rows 0 and 255, blue at 85,
// green at 170; each sector's changing component moves by 6 a row.
Rgb StripHueRamp(int row);

// Which component is largest, smallest and middle at a ramp position, and the middle's raw
// level (-3..252).
enum class Component { Red, Green, Blue };
struct RampEntry {
    Component largest = Component::Red;
    Component smallest = Component::Green;
    Component middle = Component::Blue;
    int level = 0;
    bool operator==(const RampEntry&) const = default;
};
// The entry of position p (0..255, 0 at the square's right edge). Of the six sectors, rising ones
// (0, 2, 4) start at level 0 and climb by 6; falling ones start at 6 x previous bound + 255 -
// 6 x first position and fall by 6.
RampEntry SquareHueRamp(int p);

// Hue-mode square: component Q (any int16) of the pure hue at column offset X and row offset Y
// (0..255, 0 at the left and top). step = Q / 255, base = Q - Y x step, top = 255 - Y,
// delta = (top - base) / 255, nearest((255 - X) x delta + base). For Q in 0..255 this is
// nearest((255 - Y) x (Q x X + 255 x (255 - X)) / 255^2). The value lies well inside int.
inline int ShadeSquareHueMode(std::int16_t q, std::uint8_t x, std::uint8_t y) {
    const double step = q / 255.0;
    const double base = q - y * step;
    const double top = 255 - y;
    const double delta = (top - base) / 255;
    return nearest((255 - x) * delta + base);
}

// The components placed by their parts in `entry` (largest, smallest and middle are three
// different components). Masks rather than branches, so that loops over pixels vectorise.
inline Rgb FromRoles(const RampEntry& entry, int largest, int smallest, int middle) {
    auto part = [&](Component c) {
        return (largest & -int(entry.largest == c)) | (smallest & -int(entry.smallest == c)) |
               (middle & -int(entry.middle == c));
    };
    return {part(Component::Red), part(Component::Green), part(Component::Blue)};
}

// Brightness-mode square (full brightness): largest 255, smallest Y, middle
// nearest(level x (1 - Y / 255) + Y), a negative middle stored as 0.
inline Rgb ShadeSquareBrightnessMode(const RampEntry& entry, std::uint8_t y) {
    const double f = 1 - y / 255.0;
    const int middle = nearest(entry.level * f + y);
    return FromRoles(entry, 255, y, std::max(middle, 0));
}
// Saturation-mode square (full saturation): largest 255 - Y, smallest 0, middle
// nearest(level x (1 - Y / 255)), a negative middle stored as 0.
inline Rgb ShadeSquareSaturationMode(const RampEntry& entry, std::uint8_t y) {
    const double f = 1 - y / 255.0;
    const int middle = nearest(entry.level * f);
    return FromRoles(entry, 255 - y, 0, std::max(middle, 0));
}

// Brightness slider: component Q (any int16) of the base colour at line i (0..255, 0 at the top)
// becomes nearest(Q - (i x Q) / 255), the product exact, the quotient in double precision.
inline int ShadeSliderBrightnessMode(std::int16_t q, std::uint8_t i) {
    const int product = i * q;
    return nearest(q - product / 255.0);
}
// Saturation slider: nearest(Q x (1 - i / 255) + i); line 255 is white whatever the base.
inline int ShadeSliderSaturationMode(std::int16_t q, std::uint8_t i) {
    return nearest(q * (1 - i / 255.0) + i);
}

} // namespace tintaro::ColourRules
