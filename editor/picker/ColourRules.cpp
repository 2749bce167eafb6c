#include "ColourRules.h"

#include <algorithm>
#include <climits>
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

void setComponent(Rgb& rgb, Component c, int value) {
    switch (c) {
    case Component::Red:
        rgb.red = value;
        break;
    case Component::Green:
        rgb.green = value;
        break;
    case Component::Blue:
        rgb.blue = value;
        break;
    }
}

Rgb fromRoles(const RampEntry& e, int largest, int smallest, int middle) {
    Rgb rgb;
    setComponent(rgb, e.largest, largest);
    setComponent(rgb, e.smallest, smallest);
    setComponent(rgb, e.middle, middle);
    return rgb;
}

} // namespace

int nearest(double value) {
    // Adding 1.5 x 2^52 leaves no fraction bits, so the sum is rounded to an integer by the FPU's
    // round-to-nearest-even; far cheaper than a library call and exactly the same result.
    constexpr double kShift = 6755399441055744.0;
    if (!(value > -2147483648.5 && value < 2147483647.5))
        return value > 0 ? INT_MAX : value < 0 ? INT_MIN : 0; // saturated; NaN gives 0
    const double rounded = (value + kShift) - kShift;
    return static_cast<int>(rounded);
}

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

int ShadeSquareHueMode(int q, int x, int y) {
    const double step = q / 255.0;
    const double base = q - y * step;
    const double top = 255 - y;
    const double delta = (top - base) / 255;
    return nearest((255 - x) * delta + base);
}

Rgb ShadeSquareHueMode(const Rgb& hue, int x, int y) {
    return {ShadeSquareHueMode(hue.red, x, y), ShadeSquareHueMode(hue.green, x, y),
            ShadeSquareHueMode(hue.blue, x, y)};
}

Rgb ShadeSquareBrightnessMode(const RampEntry& entry, int y) {
    const double f = 1 - y / 255.0;
    const int middle = nearest(entry.level * f + y);
    return fromRoles(entry, 255, y, std::max(middle, 0));
}

Rgb ShadeSquareBrightnessMode(int p, int y) {
    return ShadeSquareBrightnessMode(SquareHueRamp(p), y);
}

Rgb ShadeSquareSaturationMode(const RampEntry& entry, int y) {
    const double f = 1 - y / 255.0;
    const int middle = nearest(entry.level * f);
    return fromRoles(entry, 255 - y, 0, std::max(middle, 0));
}

Rgb ShadeSquareSaturationMode(int p, int y) {
    return ShadeSquareSaturationMode(SquareHueRamp(p), y);
}

int ShadeSliderBrightnessMode(int q, int i) {
    const int product = i * q;
    return nearest(q - product / 255.0);
}

Rgb ShadeSliderBrightnessMode(const Rgb& base, int i) {
    return {ShadeSliderBrightnessMode(base.red, i), ShadeSliderBrightnessMode(base.green, i),
            ShadeSliderBrightnessMode(base.blue, i)};
}

int ShadeSliderSaturationMode(int q, int i) {
    return nearest(q * (1 - i / 255.0) + i);
}

Rgb ShadeSliderSaturationMode(const Rgb& base, int i) {
    return {ShadeSliderSaturationMode(base.red, i), ShadeSliderSaturationMode(base.green, i),
            ShadeSliderSaturationMode(base.blue, i)};
}

} // namespace tintaro::ColourRules
