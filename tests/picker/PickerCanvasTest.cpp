// SPDX-License-Identifier: MIT
#include "PickerCanvas.h"

#include "ColourRules.h"
#include "PickerFixture.h"

#include <climits>
#include <gtest/gtest.h>

namespace tintaro::test {
namespace {

using ColourRules::StripHueRamp;

// The expected colour of a pixel on a sunken frame (left, top, right, bottom exclusive), or -1
// for a pixel off it.
ColorRef frameColour(int x, int y, int left, int top, int right, int bottom) {
    const bool onRect = x >= left && x <= right - 1 && y >= top && y <= bottom - 1;
    if (!onRect)
        return -1;
    if (x == right - 1 || y == bottom - 1)
        return kFrameLight;
    if (x == left || y == top)
        return kFrameDark;
    return -1;
}

TEST(PickerCanvas, HueSliderShowsTheWindowFirstThenDrawsTheStripAndItsFrame) {
    PickerFixture f;
    const auto before = f.snapshot();
    ColorRef atShow = 0;
    f.canvas.show = [&] {
        f.events.push_back("show");
        atShow = f.surface.point(277, 80);
    };
    f.surface.setDrawWidth(3);
    f.surface.setDrawMode(kDrawModeInvert);
    f.canvas.DrawHueSlider();

    EXPECT_EQ(f.events, (std::vector<std::string>{"show", "refresh"}));
    EXPECT_EQ(atShow, toColorRef(f.at(before, 277, 80))); // nothing drawn before the show
    EXPECT_EQ(penOf(f.surface), kCopyPen);
    EXPECT_EQ(f.state.pickerBitmapInfo.biWidth, 15);
    EXPECT_EQ(f.state.pickerBitmapInfo.biHeight, 256);
    EXPECT_EQ(f.state.pickerBitmapInfo.biSize, 40);

    EXPECT_EQ(f.surface.point(277, 80), rgb(255, 0, 0));
    EXPECT_EQ(f.surface.point(277 + 14, 80 + 85), rgb(0, 0, 255));
    EXPECT_EQ(f.surface.point(277, 80 + 42), rgb(255, 0, 252));
    EXPECT_EQ(f.surface.point(277, 80 + 43), rgb(252, 0, 255));
    EXPECT_EQ(f.surface.point(277, 335), rgb(255, 0, 0));

    for (int y = 0; y < f.surface.height(); ++y)
        for (int x = 0; x < f.surface.width(); ++x) {
            ColorRef expected = frameColour(x, y, 276, 79, 293, 338);
            if (expected < 0 && x >= 277 && x <= 291 && y >= 80 && y <= 335) {
                const auto c = StripHueRamp(y - 80);
                expected = rgb(c.red, c.green, c.blue);
            }
            if (expected < 0)
                expected = toColorRef(f.at(before, x, y));
            ASSERT_EQ(f.surface.point(x, y), expected) << x << "," << y;
        }
}

TEST(PickerCanvas, DrawPickerInvertsARadiusFiveCircleAndTwiceRestores) {
    const std::pair<int, int> centres[] = {{265, 80},  {10, 80},   {10, 335},
                                           {265, 335}, {137, 200}, {0, 0},
                                           {440, 453}, {-4, 460},  {INT_MAX, INT_MIN}};
    for (const auto& [cx, cy] : centres) {
        PickerFixture f;
        f.state.markerX = cx;
        f.state.markerY = cy;
        f.surface.setDrawWidth(4);
        const auto before = f.snapshot();
        f.canvas.DrawPicker();
        EXPECT_EQ(penOf(f.surface), kInvertingPen);
        int changed = 0;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (f.surface.pixels()[i] != before[i]) {
                ++changed;
                EXPECT_EQ(f.surface.pixels()[i], before[i] ^ 0xFFFFFFu);
            }
        if (cx == 137 || cx == 265 || cx == 10) {
            EXPECT_EQ(changed, 28) << cx << "," << cy; // the whole outline, centre excluded
        }
        if (cx == 137) {
            EXPECT_EQ(f.surface.pixels()[200 * 441 + 137], before[200 * 441 + 137]);
        }
        f.canvas.DrawPicker();
        EXPECT_EQ(f.snapshot(), before) << cx << "," << cy;
    }
}

TEST(PickerCanvas, FramesAreSunkenEdgesOnTheirRectanglesFollowedByARefresh) {
    struct Case {
        bool square;
        int left, top, right, bottom;
    };
    for (const Case c : {Case{true, 9, 79, 268, 338}, Case{false, 276, 79, 293, 338}}) {
        PickerFixture f;
        const auto before = f.snapshot();
        ColorRef cornerAtRefresh = 0;
        f.canvas.refresh = [&] {
            f.events.push_back("refresh");
            cornerAtRefresh = f.surface.point(c.left, c.top);
        };
        f.surface.setDrawMode(kDrawModeInvert); // a frame paints whatever the draw mode
        if (c.square)
            f.canvas.DrawSelFrame();
        else
            f.canvas.DrawMainFrame();
        EXPECT_EQ(f.events, (std::vector<std::string>{"refresh"}));
        EXPECT_EQ(cornerAtRefresh, kFrameDark);
        for (int y = 0; y < f.surface.height(); ++y)
            for (int x = 0; x < f.surface.width(); ++x) {
                const ColorRef frame = frameColour(x, y, c.left, c.top, c.right, c.bottom);
                if (frame >= 0) {
                    ASSERT_EQ(f.surface.point(x, y), frame) << x << "," << y;
                } else {
                    ASSERT_EQ(f.surface.pixels()[y * 441 + x], f.at(before, x, y)) << x << "," << y;
                }
            }
    }
}

TEST(PickerCanvas, DrawsWithoutHooks) {
    Surface surface(441, 454, 0);
    PickerState state;
    PickerCanvas canvas(surface, state);
    canvas.DrawHueSlider();
    canvas.DrawSelFrame();
    EXPECT_EQ(surface.point(277, 80), rgb(255, 0, 0));
    EXPECT_EQ(surface.point(9, 79), kFrameDark);
}

} // namespace
} // namespace tintaro::test
