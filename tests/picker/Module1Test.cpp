// SPDX-License-Identifier: MIT
#include "Module1.h"

#include "ColourRules.h"
#include "PickerFixture.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace tintaro::test {
namespace {

using Points = std::set<std::pair<int, int>>;

ColorRef inverse(ColorRef c) {
    return c ^ 0xFFFFFF;
}

// The pixels of the marker circle about (cx, cy), found by drawing it on a blank surface.
Points markerPixels(int cx, int cy) {
    Surface s(441, 454, 0);
    s.setDrawMode(kDrawModeInvert);
    s.circle(cx, cy, 5);
    Points points;
    for (int y = 0; y < 454; ++y)
        for (int x = 0; x < 441; ++x)
            if (s.point(x, y) != 0)
                points.insert({x, y});
    return points;
}

ColorRef squareFrame(int x, int y) {
    const bool onRect = x >= 9 && x <= 267 && y >= 79 && y <= 337;
    if (!onRect)
        return -1;
    if (x == 267 || y == 337)
        return kFrameLight;
    if (x == 9 || y == 79)
        return kFrameDark;
    return -1;
}

// Checks every pixel of the surface after a square render: the square shows `square(X, Y)`,
// the frame its colours, the marker is inverted over both, and every other pixel is untouched.
void expectSquareRender(const PickerFixture& f, const std::vector<std::uint32_t>& before,
                        const std::function<ColorRef(int, int)>& square, const char* what) {
    const Points marker = markerPixels(f.state.markerX, f.state.markerY);
    for (int y = 0; y < f.surface.height(); ++y)
        for (int x = 0; x < f.surface.width(); ++x) {
            ColorRef expected = -1;
            const bool inSquare = x >= 10 && x <= 265 && y >= 80 && y <= 335;
            if (inSquare)
                expected = square(x - 10, y - 80);
            else
                expected = squareFrame(x, y);
            if (expected < 0) {
                // Off the square and frame: inverted twice, so as it was.
                ASSERT_EQ(f.surface.pixels()[y * 441 + x], f.at(before, x, y))
                    << what << " outside at " << x << "," << y;
                continue;
            }
            if (marker.count({x, y}))
                expected = inverse(expected);
            ASSERT_EQ(f.surface.point(x, y), expected) << what << " at " << x << "," << y;
        }
}

TEST(Module1, SplitRGBTruncatesAndKeepsTheDividendsSign) {
    struct Case {
        std::int32_t colour;
        int r, g, b;
    };
    const Case cases[] = {{255, 255, 0, 0},
                          {1193046, 86, 52, 18},
                          {16777215, 255, 255, 255},
                          {0, 0, 0, 0},
                          {-1, -1, 0, 0},
                          {static_cast<std::int32_t>(0x8000000Fu), -241, -255, -255},
                          {INT_MIN, 0, 0, 0},
                          {INT_MAX, 255, 255, 255},
                          {-256, 0, -1, 0}};
    for (const Case& c : cases) {
        std::int16_t r = 99, g = 99, b = 99;
        Module1::SplitRGB(c.colour, r, g, b);
        EXPECT_EQ(r, c.r) << c.colour;
        EXPECT_EQ(g, c.g) << c.colour;
        EXPECT_EQ(b, c.b) << c.colour;
    }
}

TEST(Module1, HueSquareIsItsClosedFormPixelForPixel) {
    struct Hue {
        int r, g, b;
    };
    const Hue hues[] = {{255, 0, 0},   {0, 0, 255},   {255, 0, 252}, {0, 252, 255},  {96, 255, 0},
                        {255, 255, 0}, {1, 128, 254}, {0, 0, 0},     {255, 255, 255}};
    const std::pair<int, int> markers[] = {{265, 80}, {10, 335}, {137, 190}, {266, 79}};
    int n = 0;
    for (const Hue& h : hues) {
        PickerFixture f;
        f.state.markerX = markers[n % 4].first;
        f.state.markerY = markers[n % 4].second;
        ++n;
        f.canvas.DrawPicker(); // the marker the load sequence leaves
        const auto before = f.snapshot();
        Module1::DrawSquareHueMode(f.canvas, static_cast<std::int16_t>(h.r),
                                   static_cast<std::int16_t>(h.g), static_cast<std::int16_t>(h.b));
        auto closed = [](int q, int x, int y) {
            return exactNearest(std::int64_t(255 - y) * (q * x + 255 * (255 - x)), 255 * 255);
        };
        expectSquareRender(
            f, before,
            [&](int x, int y) {
                return RGB(closed(h.r, x, y), closed(h.g, x, y), closed(h.b, x, y));
            },
            "hue square");
        EXPECT_EQ(penOf(f.surface), kInvertingPen);
        EXPECT_EQ(f.state.pickerBitmapInfo.biWidth, 256);
        EXPECT_EQ(f.state.pickerBitmapInfo.biHeight, 256);
        EXPECT_EQ(f.events, (std::vector<std::string>{"refresh"}));
    }
}

TEST(Module1, HueSquareExamplesReadBackFromTheSurface) {
    PickerFixture f;
    f.state.markerX = 137; // away from the pixels read below
    f.state.markerY = 200;
    f.canvas.DrawPicker();
    Module1::DrawSquareHueMode(f.canvas, 255, 0, 0);
    EXPECT_EQ(f.surface.point(10, 80), rgb(255, 255, 255));
    EXPECT_EQ(f.surface.point(265, 80), rgb(255, 0, 0));
    EXPECT_EQ(f.surface.point(265, 80 + 128), rgb(127, 0, 0));
    for (int x = 10; x <= 265; ++x)
        ASSERT_EQ(f.surface.point(x, 335), 0) << x;
    Module1::DrawSquareHueMode(f.canvas, 0, 0, 255);
    std::int16_t r, g, b;
    Module1::SplitRGB(f.surface.point(265, 80), r, g, b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
}

TEST(Module1, HueSquareErasesTheMarkerBeforeTheFrameAndRedrawsItAfter) {
    PickerFixture f;
    f.state.markerX = 100;
    f.state.markerY = 150;
    f.canvas.DrawPicker();
    ColorRef atRefresh = 0;
    f.canvas.refresh = [&] { atRefresh = f.surface.point(105, 150); };
    Module1::DrawSquareHueMode(f.canvas, 255, 0, 0);
    const ColorRef plain =
        RGB(ColourRules::ShadeSquareHueMode(255, 95, 70),
            ColourRules::ShadeSquareHueMode(0, 95, 70), ColourRules::ShadeSquareHueMode(0, 95, 70));
    EXPECT_EQ(atRefresh, plain);                          // no marker while the frame is drawn
    EXPECT_EQ(f.surface.point(105, 150), inverse(plain)); // one marker afterwards
}

TEST(Module1, HueSquareLeavesOutOfRangeComponentsAtZero) {
    struct Hue {
        int r, g, b;
    };
    const Hue hues[] = {{-1, 0, 0}, {-241, -255, -255}, {300, 0, 255}, {32767, -32768, 128}};
    for (const Hue& h : hues) {
        PickerFixture f;
        f.canvas.DrawPicker();
        const auto before = f.snapshot();
        Module1::DrawSquareHueMode(f.canvas, static_cast<std::int16_t>(h.r),
                                   static_cast<std::int16_t>(h.g), static_cast<std::int16_t>(h.b));
        auto byte = [](int q, int x, int y) {
            const int v = ColourRules::ShadeSquareHueMode(q, x, y);
            return v >= 0 && v <= 255 ? v : 0;
        };
        expectSquareRender(
            f, before,
            [&](int x, int y) { return RGB(byte(h.r, x, y), byte(h.g, x, y), byte(h.b, x, y)); },
            "out-of-range hue");
    }
    // -1 is white at the top left, 0 in the hue's own corner.
    PickerFixture f(false);
    f.state.markerX = 137;
    f.state.markerY = 200;
    Module1::DrawSquareHueMode(f.canvas, -1, 0, 0);
    EXPECT_EQ(f.surface.point(10, 80), rgb(255, 255, 255));
    EXPECT_EQ(f.surface.point(265, 80), rgb(0, 0, 0));
}

TEST(Module1, ConstantSquaresArePixelExactAndMirrored) {
    for (bool brightness : {true, false}) {
        PickerFixture f;
        f.canvas.DrawPicker();
        const auto before = f.snapshot();
        if (brightness)
            Module1::DrawSquareBrightnessMode(f.canvas);
        else
            Module1::DrawSquareSaturationMode(f.canvas);
        expectSquareRender(
            f, before,
            [&](int x, int y) {
                // Column x shows ramp position 255 - x; the closed forms as rationals.
                const auto e = ColourRules::SquareHueRamp(255 - x);
                const int largest = brightness ? 255 : 255 - y;
                const int smallest = brightness ? y : 0;
                const int middle = std::max(
                    0, exactNearest(std::int64_t(e.level) * (255 - y) + (brightness ? 255 * y : 0),
                                    255));
                int c[3];
                c[static_cast<int>(e.largest)] = largest;
                c[static_cast<int>(e.smallest)] = smallest;
                c[static_cast<int>(e.middle)] = middle;
                return RGB(c[0], c[1], c[2]);
            },
            brightness ? "brightness square" : "saturation square");
        EXPECT_EQ(penOf(f.surface), kInvertingPen);
        EXPECT_EQ(f.state.pickerBitmapInfo.biWidth, 256);
        EXPECT_EQ(f.events, (std::vector<std::string>{"refresh"}));
    }
}

TEST(Module1, ConstantSquareExamplesReadBackFromTheSurface) {
    PickerFixture b;
    b.state.markerX = 137;
    b.state.markerY = 250;
    b.canvas.DrawPicker();
    Module1::DrawSquareBrightnessMode(b.canvas);
    EXPECT_EQ(b.surface.point(10, 80), rgb(255, 0, 0));
    EXPECT_EQ(b.surface.point(265, 80), rgb(255, 0, 0));
    EXPECT_EQ(b.surface.point(10 + 170, 80), rgb(0, 0, 255));
    EXPECT_EQ(b.surface.point(10 + 84, 80), rgb(0, 255, 0));
    EXPECT_EQ(b.surface.point(10 + 85, 80), rgb(0, 255, 3));
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(b.surface.point(10 + 170, 80 + y), rgb(0, y, 255)) << y;
    for (int x = 10; x <= 265; ++x)
        ASSERT_EQ(b.surface.point(x, 335), rgb(255, 255, 255)) << x;

    PickerFixture s;
    s.state.markerX = 137;
    s.state.markerY = 250;
    s.canvas.DrawPicker();
    Module1::DrawSquareSaturationMode(s.canvas);
    for (int x = 10; x <= 265; ++x) {
        ASSERT_EQ(s.surface.point(x, 80), b.surface.point(x, 80)) << x;
        ASSERT_EQ(s.surface.point(x, 335), 0) << x;
    }
    // Drawn again, the same image: the cached square must not drift.
    Module1::DrawSquareSaturationMode(s.canvas);
    Module1::DrawSquareBrightnessMode(s.canvas);
    for (int y = 80; y <= 335; y += 5)
        for (int x = 10; x <= 265; ++x)
            ASSERT_EQ(s.surface.point(x, y), b.surface.point(x, y)) << x << "," << y;
}

TEST(Module1, SlidersArePixelExactAndLeaveTheirRightColumnToTheFrame) {
    struct Base {
        int r, g, b;
    };
    const Base bases[] = {{255, 0, 0}, {255, 128, 0}, {128, 0, 0}, {0, 0, 0}, {17, 200, 255}};
    for (bool brightness : {true, false})
        for (const Base& base : bases) {
            PickerFixture f;
            f.surface.setDrawMode(kDrawModeInvert);
            f.surface.setDrawWidth(2);
            const auto before = f.snapshot();
            const auto r = static_cast<std::int16_t>(base.r);
            const auto g = static_cast<std::int16_t>(base.g);
            const auto b = static_cast<std::int16_t>(base.b);
            if (brightness)
                Module1::DrawSliderBrightnessMode(f.canvas, r, g, b);
            else
                Module1::DrawSliderSaturationMode(f.canvas, r, g, b);
            auto shade = [&](int q, int i) {
                return brightness ? exactNearest(q * (255 - i), 255)
                                  : exactNearest(q * (255 - i) + 255 * i, 255);
            };
            for (int y = 0; y < 454; ++y)
                for (int x = 0; x < 441; ++x) {
                    ColorRef expected = -1;
                    const bool onFrame = x >= 276 && x <= 292 && y >= 79 && y <= 337 &&
                                         (x == 276 || x == 292 || y == 79 || y == 337);
                    if (onFrame)
                        expected = (x == 292 || y == 337) ? kFrameLight : kFrameDark;
                    else if (x >= 277 && x <= 291 && y >= 80 && y <= 335)
                        expected = RGB(shade(base.r, y - 80), shade(base.g, y - 80),
                                       shade(base.b, y - 80));
                    if (expected < 0) {
                        ASSERT_EQ(f.surface.pixels()[y * 441 + x], f.at(before, x, y))
                            << x << "," << y;
                    } else {
                        ASSERT_EQ(f.surface.point(x, y), expected) << x << "," << y;
                    }
                }
            EXPECT_EQ(penOf(f.surface), kCopyPen);
            EXPECT_EQ(f.events, (std::vector<std::string>{"refresh"}));
        }
}

TEST(Module1, SliderExamplesReadBackFromTheSurface) {
    PickerFixture f;
    Module1::DrawSliderBrightnessMode(f.canvas, 255, 0, 0);
    EXPECT_EQ(f.surface.point(277, 80), rgb(255, 0, 0));
    EXPECT_EQ(f.surface.point(291, 80 + 128), rgb(127, 0, 0));
    EXPECT_EQ(f.surface.point(284, 335), rgb(0, 0, 0));
    Module1::DrawSliderSaturationMode(f.canvas, 255, 0, 0);
    EXPECT_EQ(f.surface.point(277, 80), rgb(255, 0, 0));
    EXPECT_EQ(f.surface.point(277, 80 + 128), rgb(255, 128, 128));
    EXPECT_EQ(f.surface.point(277, 335), rgb(255, 255, 255));
    Module1::DrawSliderSaturationMode(f.canvas, 128, 0, 0);
    EXPECT_EQ(f.surface.point(277, 335), rgb(255, 255, 255));
}

TEST(Module1, SlidersHoldComponentsOutsideTheByteRangeAtItsEnds) {
    PickerFixture f;
    Module1::DrawSliderBrightnessMode(f.canvas, -1, 300, -32768);
    EXPECT_EQ(f.surface.point(277, 80), rgb(0, 255, 0));
    Module1::DrawSliderSaturationMode(f.canvas, -241, -255, 32767);
    EXPECT_EQ(f.surface.point(277, 80), rgb(0, 0, 255));
    EXPECT_EQ(f.surface.point(277, 335), rgb(255, 255, 255));
}

TEST(Module1, SliderArrowsInvertTwoShortLinesOutsideTheStripAndTwiceRestore) {
    for (int y : {80, 335, 200, 0, 1, 453, -1, 454, -32768, 32767}) {
        PickerFixture f;
        const auto before = f.snapshot();
        Module1::DrawSliderArrows(f.canvas, static_cast<std::int16_t>(y));
        EXPECT_EQ(penOf(f.surface), kInvertingPen);
        Points changed;
        for (int py = 0; py < 454; ++py)
            for (int px = 0; px < 441; ++px)
                if (f.surface.pixels()[py * 441 + px] != f.at(before, px, py)) {
                    changed.insert({px, py});
                    ASSERT_EQ(f.surface.pixels()[py * 441 + px], f.at(before, px, py) ^ 0xFFFFFFu);
                }
        Points expected;
        for (int row : {y - 1, y})
            if (row >= 0 && row < 454)
                for (int x : {272, 273, 274, 275, 293, 294, 295, 296})
                    expected.insert({x, row});
        EXPECT_EQ(changed, expected) << y;
        Module1::DrawSliderArrows(f.canvas, static_cast<std::int16_t>(y));
        EXPECT_EQ(f.snapshot(), before) << y;
    }
}

TEST(Module1, RenderersWithoutHooksTakeAnyComponentsAndMarker) {
    Surface surface(441, 454, 0);
    PickerState state;
    PickerCanvas canvas(surface, state);
    for (int round = 0; round < 2; ++round) {
        Module1::DrawSquareHueMode(canvas, 255, 0, 0);
        Module1::DrawSquareBrightnessMode(canvas);
        Module1::DrawSquareSaturationMode(canvas);
        Module1::DrawSliderBrightnessMode(canvas, 1, 2, 3);
        Module1::DrawSliderSaturationMode(canvas, -1, -1, -1);
        Module1::DrawSliderArrows(canvas, -32768);
    }
    // A marker typed far off the surface is clipped.
    state.markerX = INT_MIN;
    state.markerY = INT_MAX;
    Module1::DrawSquareHueMode(canvas, 255, 0, 0);
    Module1::DrawSquareBrightnessMode(canvas);
    Module1::DrawSliderBrightnessMode(canvas, 1, 2, 3);
    Module1::DrawSliderArrows(canvas, 100);
    EXPECT_EQ(surface.width(), 441);
}

} // namespace
} // namespace tintaro::test
