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
// green at 170; each sector's changing component moves by 6 a row. The sectors end at the floors
// of k x 42.5.
inline Rgb StripHueRamp(int r) {
    if (r <= 42)
        return {255, 0, 6 * r};
    if (r <= 85)
        return {510 - 6 * r, 0, 255};
    if (r <= 127)
        return {0, 6 * r - 510, 255};
    if (r <= 170)
        return {0, 255, 1020 - 6 * r};
    if (r <= 212)
        return {6 * r - 1020, 255, 0};
    return {255, 1530 - 6 * r, 0};
}

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
// The entry of position p (0..255, 0 at the square's right edge). The six sectors end at
// k x 255 / 6 rounded half to even (not 43, 127 or 213). Rising sectors (0, 2, 4) start at level
// 0 and climb by 6; falling ones start at 6 x previous bound + 255 - 6 x first position and fall
// by 6.
inline RampEntry SquareHueRamp(int p) {
    constexpr int kBounds[6] = {42, 85, 128, 170, 212, 255};
    using C = Component; // largest, smallest and middle in each sector:
    constexpr RampEntry kRoles[6] = {{C::Red, C::Green, C::Blue}, {C::Blue, C::Green, C::Red},
                                     {C::Blue, C::Red, C::Green}, {C::Green, C::Red, C::Blue},
                                     {C::Green, C::Blue, C::Red}, {C::Red, C::Blue, C::Green}};
    int sector = 0;
    while (sector < 5 && p > kBounds[sector])
        ++sector;
    const int previous = sector == 0 ? -1 : kBounds[sector - 1];
    RampEntry entry = kRoles[sector];
    entry.level = sector % 2 == 0 ? 6 * (p - (previous + 1)) : 6 * previous + 255 - 6 * p;
    return entry;
}

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
