// SPDX-License-Identifier: MIT
#include "ColourRules.h"

#include <algorithm>
#include <cmath>

namespace tintaro::ColourRules {

namespace {

// Which component plays which part in each sector of the squares' ramp, red first.
struct SectorRoles {
    Component largest;
    Component smallest;
    Component middle;
    bool rising;
};
constexpr SectorRoles kSectorRoles[6] = {
    {Component::Red, Component::Green, Component::Blue, true},
    {Component::Blue, Component::Green, Component::Red, false},
    {Component::Blue, Component::Red, Component::Green, true},
    {Component::Green, Component::Red, Component::Blue, false},
    {Component::Green, Component::Blue, Component::Red, true},
    {Component::Red, Component::Blue, Component::Green, false},
};

std::int16_t component(int value) {
    return static_cast<std::int16_t>(value);
}

// Positions in a square or slider, 0..255.
std::uint8_t pos(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

Rgb StripHueRamp(int row) {
    const int r = std::clamp(row, 0, 255);
    if (r <= kStripSectorEnds[0])
        return {255, 0, 6 * r};
    if (r <= kStripSectorEnds[1])
        return {510 - 6 * r, 0, 255};
    if (r <= kStripSectorEnds[2])
        return {0, 6 * r - 510, 255};
    if (r <= kStripSectorEnds[3])
        return {0, 255, 1020 - 6 * r};
    if (r <= kStripSectorEnds[4])
        return {6 * r - 1020, 255, 0};
    return {255, 1530 - 6 * r, 0};
}

std::array<int, 6> SquareHueBounds(std::int32_t span) {
    std::array<int, 6> bounds{};
    for (int k = 1; k <= 6; ++k) {
        // Single precision, as the bounds have always been computed; 42.5, 127.5 and 212.5 go to
        // the even neighbour.
        const float bound = static_cast<float>(k) * static_cast<float>(span) / 6.0f;
        bounds[static_cast<std::size_t>(k - 1)] =
            static_cast<int>(std::clamp(std::nearbyint(bound), -2e9f, 2e9f));
    }
    return bounds;
}

RampEntry SquareHueRamp(int p, int sector, const std::array<int, 6>& bounds) {
    const int s = std::clamp(sector, 0, 5);
    const SectorRoles& roles = kSectorRoles[s];
    const long long previous = s == 0 ? -1 : bounds[static_cast<std::size_t>(s - 1)];
    long long level = roles.rising ? 6 * (p - (previous + 1)) : 6 * previous + 255 - 6LL * p;
    level = std::clamp<long long>(level, -2000000000LL, 2000000000LL);
    return {roles.largest, roles.smallest, roles.middle, static_cast<int>(level)};
}

RampEntry SquareHueRamp(int p) {
    static const std::array<int, 6> kBounds = SquareHueBounds(255);
    const int pos = std::clamp(p, 0, 255);
    int sector = 0;
    while (sector < 5 && pos > kBounds[static_cast<std::size_t>(sector)])
        ++sector;
    return SquareHueRamp(pos, sector, kBounds);
}

Rgb ShadeSquareHueMode(const Rgb& hue, int x, int y) {
    return {ShadeSquareHueMode(component(hue.red), pos(x), pos(y)),
            ShadeSquareHueMode(component(hue.green), pos(x), pos(y)),
            ShadeSquareHueMode(component(hue.blue), pos(x), pos(y))};
}

Rgb ShadeSquareBrightnessMode(int p, int y) {
    return ShadeSquareBrightnessMode(SquareHueRamp(p), pos(y));
}

Rgb ShadeSquareSaturationMode(int p, int y) {
    return ShadeSquareSaturationMode(SquareHueRamp(p), pos(y));
}

Rgb ShadeSliderBrightnessMode(const Rgb& base, int i) {
    return {ShadeSliderBrightnessMode(component(base.red), pos(i)),
            ShadeSliderBrightnessMode(component(base.green), pos(i)),
            ShadeSliderBrightnessMode(component(base.blue), pos(i))};
}

Rgb ShadeSliderSaturationMode(const Rgb& base, int i) {
    return {ShadeSliderSaturationMode(component(base.red), pos(i)),
            ShadeSliderSaturationMode(component(base.green), pos(i)),
            ShadeSliderSaturationMode(component(base.blue), pos(i))};
}

} // namespace tintaro::ColourRules
