// SPDX-License-Identifier: MIT
#include "ColourRules.h"

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

} // namespace

Rgb StripHueRamp(int r) {
    // The sectors end at the floors of k x 42.5.
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

RampEntry SquareHueRamp(int p) {
    // The sectors end at k x 255 / 6 rounded half to even (not 43, 127 or 213).
    constexpr int kBounds[6] = {42, 85, 128, 170, 212, 255};
    std::size_t sector = 0;
    while (sector < 5 && p > kBounds[sector])
        ++sector;
    const SectorRoles& roles = kSectorRoles[sector];
    const int previous = sector == 0 ? -1 : kBounds[sector - 1];
    const int level = roles.rising ? 6 * (p - (previous + 1)) : 6 * previous + 255 - 6 * p;
    return {roles.largest, roles.smallest, roles.middle, level};
}

} // namespace tintaro::ColourRules
