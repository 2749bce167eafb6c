// SPDX-License-Identifier: MIT
#include "ColourRules.h"

#include "PickerFixture.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tintaro::ColourRules {
namespace {

using test::exactNearest;

// The rules applied to whole colours and ramp positions.
Rgb hueSquare(const Rgb& h, int x, int y) {
    return {ShadeSquareHueMode(h.red, x, y), ShadeSquareHueMode(h.green, x, y),
            ShadeSquareHueMode(h.blue, x, y)};
}
Rgb brightSquare(int p, int y) {
    return ShadeSquareBrightnessMode(SquareHueRamp(p), y);
}
Rgb satSquare(int p, int y) {
    return ShadeSquareSaturationMode(SquareHueRamp(p), y);
}
Rgb brightSlider(const Rgb& c, int i) {
    return {ShadeSliderBrightnessMode(c.red, i), ShadeSliderBrightnessMode(c.green, i),
            ShadeSliderBrightnessMode(c.blue, i)};
}
Rgb satSlider(const Rgb& c, int i) {
    return {ShadeSliderSaturationMode(c.red, i), ShadeSliderSaturationMode(c.green, i),
            ShadeSliderSaturationMode(c.blue, i)};
}

TEST(ColourRules, NearestRoundsHalvesToEven) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},   {1.5, 2},           {2.5, 2},           {-0.5, 0},  {-1.5, -2},
        {-2.5, -2}, {127.4999999, 127}, {127.5000001, 128}, {-3.0, -3}, {254.99, 255}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(nearest(value), expected) << value;
    EXPECT_EQ(nearest(2147483646.5), 2147483646);
    EXPECT_EQ(nearest(-2147483647.5), -2147483648);
}

TEST(ColourRules, StripHueRampMatchesItsTable) {
    struct Case {
        int row;
        Rgb expected;
    };
    const Case cases[] = {{0, {255, 0, 0}},     {42, {255, 0, 252}},  {43, {252, 0, 255}},
                          {85, {0, 0, 255}},    {86, {0, 6, 255}},    {127, {0, 252, 255}},
                          {128, {0, 255, 252}}, {170, {0, 255, 0}},   {171, {6, 255, 0}},
                          {212, {252, 255, 0}}, {213, {255, 252, 0}}, {255, {255, 0, 0}}};
    for (const Case& c : cases)
        EXPECT_EQ(StripHueRamp(c.row), c.expected) << c.row;

    // Neighbouring rows differ by 6 in all (two components trade 3 each across the sector
    // bounds that fall on half rows).
    for (int r = 1; r < 256; ++r) {
        const Rgb a = StripHueRamp(r - 1);
        const Rgb b = StripHueRamp(r);
        EXPECT_LE(std::abs(a.red - b.red) + std::abs(a.green - b.green) + std::abs(a.blue - b.blue),
                  6)
            << r;
        EXPECT_TRUE(std::max({b.red, b.green, b.blue}) == 255 &&
                    std::min({b.red, b.green, b.blue}) == 0)
            << r;
    }
}

TEST(ColourRules, SquareHueRampLevelsAndRoles) {
    using C = Component;
    struct Case {
        int p;
        RampEntry expected;
    };
    const Case cases[] = {
        {0, {C::Red, C::Green, C::Blue, 0}},     {42, {C::Red, C::Green, C::Blue, 252}},
        {43, {C::Blue, C::Green, C::Red, 249}},  {85, {C::Blue, C::Green, C::Red, -3}},
        {86, {C::Blue, C::Red, C::Green, 0}},    {128, {C::Blue, C::Red, C::Green, 252}},
        {129, {C::Green, C::Red, C::Blue, 249}}, {170, {C::Green, C::Red, C::Blue, 3}},
        {171, {C::Green, C::Blue, C::Red, 0}},   {212, {C::Green, C::Blue, C::Red, 246}},
        {213, {C::Red, C::Blue, C::Green, 249}}, {255, {C::Red, C::Blue, C::Green, -3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SquareHueRamp(c.p), c.expected) << c.p;
}

TEST(ColourRules, SquareRuleExamples) {
    EXPECT_EQ(brightSquare(85, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(brightSquare(85, 1), (Rgb{0, 1, 255}));
    EXPECT_EQ(brightSquare(85, 2), (Rgb{0, 2, 255}));
    EXPECT_EQ(brightSquare(85, 3), (Rgb{0, 3, 255}));
    EXPECT_EQ(brightSquare(129, 0), (Rgb{0, 255, 249}));
    EXPECT_EQ(satSquare(0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(satSquare(0, 255), (Rgb{0, 0, 0}));
    EXPECT_EQ(satSquare(42, 0), (Rgb{255, 0, 252}));
    EXPECT_EQ(satSquare(255, 0), (Rgb{255, 0, 0})); // -3 stored as 0
    const Rgb red{255, 0, 0};
    EXPECT_EQ(hueSquare(red, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(hueSquare(red, 255, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(hueSquare(red, 255, 128), (Rgb{127, 0, 0}));
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(hueSquare(red, x, 255), (Rgb{0, 0, 0})) << x;
}

TEST(ColourRules, SliderRuleExamples) {
    EXPECT_EQ(brightSlider(Rgb{255, 128, 0}, 0), (Rgb{255, 128, 0}));
    EXPECT_EQ(brightSlider(Rgb{255, 128, 0}, 255), (Rgb{0, 0, 0}));
    EXPECT_EQ(brightSlider(Rgb{255, 128, 0}, 128), (Rgb{127, 64, 0}));
    EXPECT_EQ(satSlider(Rgb{255, 0, 0}, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(satSlider(Rgb{255, 0, 0}, 255), (Rgb{255, 255, 255}));
    EXPECT_EQ(satSlider(Rgb{255, 0, 0}, 128), (Rgb{255, 128, 128}));
    EXPECT_EQ(satSlider(Rgb{128, 0, 0}, 255), (Rgb{255, 255, 255}));
}

// The rules as written against their closed forms, over every input they are given.
TEST(ColourRules, HueModeRuleEqualsItsClosedFormEverywhere) {
    for (int q = 0; q < 256; ++q)
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const int expected =
                    exactNearest(std::int64_t(255 - y) * (q * x + 255 * (255 - x)), 255 * 255);
                if (ShadeSquareHueMode(q, x, y) != expected) {
                    ADD_FAILURE() << "Q " << q << " X " << x << " Y " << y;
                    return;
                }
            }
}

TEST(ColourRules, SliderRulesEqualTheirClosedFormsEverywhere) {
    for (int q = 0; q < 256; ++q)
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(ShadeSliderBrightnessMode(q, i), exactNearest(q * (255 - i), 255))
                << q << "," << i;
            ASSERT_EQ(ShadeSliderSaturationMode(q, i), exactNearest(q * (255 - i) + 255 * i, 255))
                << q << "," << i;
        }
}

TEST(ColourRules, ConstantSquareRulesEqualTheirClosedFormsEverywhere) {
    for (int p = 0; p < 256; ++p)
        for (int y = 0; y < 256; ++y) {
            const RampEntry e = SquareHueRamp(p);
            const int brightMiddle =
                std::max(0, exactNearest(std::int64_t(e.level) * (255 - y) + 255 * y, 255));
            const int satMiddle = std::max(0, exactNearest(std::int64_t(e.level) * (255 - y), 255));
            const Rgb b = brightSquare(p, y);
            const Rgb s = satSquare(p, y);
            auto get = [](const Rgb& c, Component k) {
                return k == Component::Red ? c.red : k == Component::Green ? c.green : c.blue;
            };
            ASSERT_EQ(get(b, e.largest), 255) << p << "," << y;
            ASSERT_EQ(get(b, e.smallest), y) << p << "," << y;
            ASSERT_EQ(get(b, e.middle), brightMiddle) << p << "," << y;
            ASSERT_EQ(get(s, e.largest), 255 - y) << p << "," << y;
            ASSERT_EQ(get(s, e.smallest), 0) << p << "," << y;
            ASSERT_EQ(get(s, e.middle), satMiddle) << p << "," << y;
        }
}

TEST(ColourRules, ComponentsOutsideTheByteRangeGiveFiniteResults) {
    // What a read outside the window feeds in: the rules compute, they do not fail.
    EXPECT_EQ(ShadeSquareHueMode(-1, 255, 0), -1);
    EXPECT_EQ(ShadeSquareHueMode(-1, 0, 0), 255);
    EXPECT_EQ(ShadeSquareHueMode(-32768, 255, 0), -32768);
    EXPECT_EQ(ShadeSquareHueMode(32767, 255, 255), 0);
    EXPECT_EQ(ShadeSliderBrightnessMode(-255, 0), -255);
    EXPECT_EQ(ShadeSliderSaturationMode(-32768, 255), 255);
    EXPECT_EQ(ShadeSliderSaturationMode(32767, 0), 32767);
}

} // namespace
} // namespace tintaro::ColourRules
