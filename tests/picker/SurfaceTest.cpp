// SPDX-License-Identifier: MIT
#include "Surface.h"

#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tintaro {
namespace {

using Points = std::set<std::pair<int, int>>;

// Fills the surface with noise so that inversion and copying can be told apart everywhere.
void fillNoise(Surface& s, unsigned seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            s.setPixel(x, y, static_cast<ColorRef>(rng() & 0xFFFFFFu));
}

std::vector<std::uint32_t> snapshot(const Surface& s) {
    return {s.pixels(), s.pixels() + s.width() * s.height()};
}

// The pixels that differ between two snapshots; each must be the exact inverse of its old value.
Points invertedSet(const Surface& s, const std::vector<std::uint32_t>& before) {
    Points changed;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * s.width() + x;
            if (s.pixels()[i] != before[i]) {
                EXPECT_EQ(s.pixels()[i], before[i] ^ 0x00FFFFFFu) << x << "," << y;
                changed.insert({x, y});
            }
        }
    return changed;
}

TEST(Surface, PixelsAreOpaqueRgb32AndPointReadGivesColorRef) {
    Surface s(4, 3, RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.pixels()[0], 0xFF123456u);
    EXPECT_EQ(s.point(3, 2), 0x563412);
    s.setPixel(1, 1, RGB(255, 0, 128));
    EXPECT_EQ(s.pixels()[5], 0xFFFF0080u);
    EXPECT_EQ(s.point(1, 1), RGB(255, 0, 128));
}

TEST(Surface, PointOutsideReadsMinusOneAndSetPixelOutsideIsIgnored) {
    Surface s(4, 3, 0);
    const std::pair<int, int> outside[] = {
        {-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT_MIN, 0}, {0, INT_MAX}, {INT_MAX, INT_MIN}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(s.point(x, y), -1) << x << "," << y;
        s.setPixel(x, y, 0xFFFFFF);
    }
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(s.pixels()[i], 0xFF000000u);
}

// A horizontal line covers its columns from the start towards the end, the end left out, and a
// pen of width w the rows y - w / 2 onwards; clipped to the surface, and exactly those marked as
// changed. Copy pen paints them, invert inverts each once, an unknown mode paints. A width below
// one is one.
TEST(Surface, HorizontalLinesCoverTheirRunAndThePensWidth) {
    struct Case {
        int x1, x2, y, width;
        int first, last, top, bottom; // covered columns and rows, first > last for none
    };
    const Case cases[] = {{1, 5, 2, 1, 1, 4, 2, 2},
                          {5, 1, 2, 1, 2, 5, 2, 2},
                          {3, 3, 2, 1, 1, 0, 0, 0},
                          {-4, 3, 1, 1, 0, 2, 1, 1},
                          {20, -20, 1, 1, 0, 8, 1, 1},
                          {-1, 0, 2, 1, 1, 0, 0, 0},
                          {2, 7, -1, 1, 1, 0, 0, 0},
                          {INT_MIN, INT_MAX, 1, 1, 0, 8, 1, 1},
                          {INT_MAX, INT_MIN, 3, 1, 0, 8, 3, 3},
                          {3, 7, 3, 2, 2, 6, 2, 3},
                          {6, 3, 0, 2, 3, 6, 0, 0},
                          {3, 5, 2, 3, 2, 5, 1, 3},
                          {2, 4, 2, 100000, 0, 8, 0, 4},
                          {4, 4, 2, 3, 1, 0, 0, 0},
                          {1, 5, 2, -3, 1, 4, 2, 2}};
    const std::uint32_t pen = 0xFF5A3C96u;
    for (const Case& c : cases) {
        for (int mode : {kDrawModeCopyPen, kDrawModeInvert, 99}) {
            Surface s(9, 5, 0);
            fillNoise(s, 11);
            s.takeDirty();
            const auto before = snapshot(s);
            s.setForeColor(RGB(0x5A, 0x3C, 0x96));
            s.setDrawMode(mode);
            s.setDrawWidth(c.width);
            s.horizontalLine(c.x1, c.x2, c.y);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y * 9 + x);
                    std::uint32_t expected = before[i];
                    if (y >= c.top && y <= c.bottom && x >= c.first && x <= c.last)
                        expected = mode == kDrawModeInvert ? before[i] ^ 0x00FFFFFFu : pen;
                    ASSERT_EQ(s.pixels()[i], expected)
                        << c.x1 << " -> " << c.x2 << " row " << c.y << " width " << c.width
                        << " mode " << mode << " at " << x << "," << y;
                }
            const Rect expectedDirty =
                c.first <= c.last ? Rect{c.first, c.top, c.last + 1, c.bottom + 1} : Rect{};
            EXPECT_EQ(s.takeDirty(), expectedDirty)
                << c.x1 << " -> " << c.x2 << " row " << c.y << " mode " << mode;
        }
    }
}

TEST(Surface, CircleOfRadiusFiveHasAFixedOutlineWithoutItsCentre) {
    Surface s(21, 21, 0);
    fillNoise(s, 11);
    const auto before = snapshot(s);
    s.setDrawMode(kDrawModeInvert);
    s.circle(10, 10, 5);
    Points expected;
    // Half-widths of the outline per row offset 0..5; row 5 is a flat run, the others two points.
    const int edge[6] = {5, 5, 5, 4, 3, 2};
    for (int dy = -5; dy <= 5; ++dy) {
        const int e = edge[dy < 0 ? -dy : dy];
        if (dy == 5 || dy == -5) {
            for (int dx = -e; dx <= e; ++dx)
                expected.insert({10 + dx, 10 + dy});
        } else {
            expected.insert({10 - e, 10 + dy});
            expected.insert({10 + e, 10 + dy});
        }
    }
    EXPECT_EQ(invertedSet(s, before), expected);
    EXPECT_EQ(s.pixels()[10 * 21 + 10], before[10 * 21 + 10]);
}

TEST(Surface, ACircleOfAnotherRadiusDrawsItsOwnOutline) {
    Surface both(40, 21, 0);
    Surface alone(40, 21, 0);
    for (Surface* s : {&both, &alone})
        s->setDrawMode(kDrawModeInvert);
    both.circle(10, 10, 5);
    both.circle(30, 10, 3);
    alone.circle(30, 10, 3);
    EXPECT_NE(alone.point(33, 10), 0); // the radius-3 outline
    EXPECT_EQ(alone.point(35, 10), 0); // where a radius-5 outline would pass
    for (int y = 0; y < 21; ++y)
        for (int x = 20; x < 40; ++x)
            EXPECT_EQ(both.point(x, y), alone.point(x, y)) << x << "," << y;
}

// Every figure inverted twice restores every pixel, wherever it lies, also cut by the edges.
TEST(Surface, InvertingAFigureTwiceRestoresEveryPixel) {
    const int w = 40;
    const int h = 30;
    struct Figure {
        int kind; // 0 line, 1 circle
        int a, b, c, d;
        int width;
    };
    std::vector<Figure> figures;
    const std::pair<int, int> anchors[] = {{0, 0},   {w - 1, 0}, {0, h - 1}, {w - 1, h - 1},
                                           {20, 15}, {-3, 10},   {w + 2, 5}, {2, -4}};
    for (const auto& [x, y] : anchors) {
        for (int width : {1, 2, 3}) {
            figures.push_back({1, x, y, 5, 0, width});
            figures.push_back({0, x, y, x + 6, y, width});
            figures.push_back({0, x, y, x - 5, y, width});
        }
    }
    figures.push_back({0, INT_MIN, INT_MIN, INT_MAX, INT_MIN, 2});
    figures.push_back({0, INT_MIN, 10, INT_MAX, 10, 1});
    figures.push_back({1, 20, 15, 30000, 0, 1});
    figures.push_back({1, 20, 15, 100000, 0, 1});
    figures.push_back({0, 5, 5, 30, 5, 100000});

    for (const Figure& f : figures) {
        Surface s(w, h, 0);
        fillNoise(s, 5);
        const auto before = snapshot(s);
        s.setDrawMode(kDrawModeInvert);
        s.setDrawWidth(f.width);
        auto draw = [&] {
            if (f.kind == 0)
                s.horizontalLine(f.a, f.c, f.b);
            else
                s.circle(f.a, f.b, f.c);
        };
        draw();
        (void)invertedSet(s, before); // checks that each changed pixel is inverted, not twice
        draw();
        EXPECT_EQ(snapshot(s), before) << "kind " << f.kind << " at " << f.a << "," << f.b << " to "
                                       << f.c << "," << f.d << " width " << f.width;
    }
}

TEST(Surface, BoxIncludesBothCornersAndClips) {
    Surface s(6, 5, 0);
    s.setFillColor(RGB(10, 20, 30));
    s.box(4, 3, 1, 1);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 3;
            EXPECT_EQ(s.point(x, y), inside ? RGB(10, 20, 30) : 0) << x << "," << y;
        }
    s.setDrawMode(kDrawModeInvert);
    s.box(-100, -100, 100, 100);
    EXPECT_EQ(s.point(0, 0), 0xFFFFFF);
    EXPECT_EQ(s.point(2, 2), RGB(245, 235, 225));
}

// Pictures are copied whatever the draw mode, clipped at the edges.
TEST(Surface, FillRowsAndCopyRowPlaceTheirPicture) {
    Surface s(300, 4, RGB(9, 9, 9));
    s.setDrawMode(kDrawModeInvert);
    const std::uint32_t colours[] = {0xFF010000u, 0xFF020000u, 0xFF030000u};
    s.fillRows(-2, 2, 2, colours); // the third row is below the surface
    EXPECT_EQ(s.takeDirty(), (Rect{0, 2, 2, 4}));
    EXPECT_EQ(s.point(0, 2), RGB(1, 0, 0));
    EXPECT_EQ(s.point(1, 3), RGB(2, 0, 0));
    EXPECT_EQ(s.point(2, 3), RGB(9, 9, 9));
    EXPECT_EQ(s.point(0, 1), RGB(9, 9, 9));
    s.fillRows(5, 5, 0, colours);
    s.fillRows(0, 9, INT_MIN, colours);
    s.fillRows(INT_MIN, INT_MAX, INT_MAX, colours);
    EXPECT_TRUE(s.takeDirty().isEmpty());

    const std::uint32_t row[] = {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u};
    s.copyRow(298, 1, row); // columns 298 and 299 show
    s.copyRow(-1, 0, row);  // columns 0..2 show the row's last three
    EXPECT_EQ(s.takeDirty(), (Rect{0, 0, 300, 2}));
    const std::uint32_t paper = toPixel(RGB(9, 9, 9));
    EXPECT_EQ(std::vector(s.pixels(), s.pixels() + 4),
              (std::vector{row[1], row[2], row[3], paper}));
    EXPECT_EQ(std::vector(s.pixels() + 597, s.pixels() + 600),
              (std::vector{paper, row[0], row[1]}));
    s.copyRow(INT_MAX, 0, row);
    s.copyRow(INT_MIN, 0, row);
    s.copyRow(0, 4, row);
    s.copyRow(0, INT_MIN, row);
    EXPECT_TRUE(s.takeDirty().isEmpty());
}

TEST(Surface, SunkenInnerEdgeIsDarkTopLeftAndLightBottomRight) {
    Surface s(10, 9, RGB(1, 1, 1));
    s.setDrawMode(kDrawModeInvert);
    s.drawEdgeSunkenInner(2, 2, 7, 6);
    const ColorRef dark = RGB(64, 64, 64);
    const ColorRef light = RGB(212, 208, 200);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 10; ++x) {
            ColorRef expected = RGB(1, 1, 1);
            const bool onRect = x >= 2 && x <= 6 && y >= 2 && y <= 5;
            if (onRect && (x == 6 || y == 5))
                expected = light;
            else if (onRect && (x == 2 || y == 2))
                expected = dark;
            EXPECT_EQ(s.point(x, y), expected) << x << "," << y;
        }
    const auto before = snapshot(s);
    s.drawEdgeSunkenInner(5, 5, 5, 9); // empty rectangle
    EXPECT_EQ(snapshot(s), before);
    s.drawEdgeSunkenInner(-50, -50, 8, 100); // only the right line is on the surface
    EXPECT_EQ(s.point(7, 0), light);
    EXPECT_EQ(s.point(7, 8), light);
    EXPECT_EQ(s.point(4, 4), RGB(1, 1, 1));
}

TEST(Surface, DirtyRectCoversEachChangeAndIsClearedByTake) {
    Surface s(50, 40, 0);
    EXPECT_TRUE(s.takeDirty().isEmpty());
    s.horizontalLine(3, 10, 4);
    EXPECT_EQ(s.takeDirty(), (Rect{3, 4, 10, 5}));
    EXPECT_TRUE(s.takeDirty().isEmpty());
    s.setDrawMode(kDrawModeInvert);
    s.circle(2, 2, 5); // clipped at the corner
    s.setPixel(30, 30, 1);
    EXPECT_EQ(s.takeDirty(), (Rect{0, 0, 31, 31}));
    s.invalidate(Rect{-5, 35, 60, 80});
    EXPECT_EQ(s.takeDirty(), (Rect{0, 35, 50, 40}));
    s.horizontalLine(-10, -2, -2); // entirely outside
    EXPECT_TRUE(s.takeDirty().isEmpty());
    s.drawEdgeSunkenInner(5, 6, 9, 12);
    EXPECT_EQ(s.takeDirty(), (Rect{5, 6, 9, 12}));
}

TEST(Surface, PrintUsesThePainterAndMovesTheTextPositionDown) {
    Surface s(100, 100, 0);
    s.setCurrentX(8);
    s.setCurrentY(3);
    s.setForeColor(RGB(1, 2, 3));
    s.print("sin pintor"); // moves down the default line height, 13
    std::vector<std::string> calls;
    s.setTextPainter([&](Surface& target, int x, int y, std::string_view text, ColorRef colour) {
        calls.push_back(std::to_string(x) + "," + std::to_string(y) + " " + std::string(text) +
                        " " + std::to_string(colour));
        target.invalidate(Rect{x, y, x + 20, y + 15});
        return 15;
    });
    s.takeDirty();
    s.print("Hola");
    s.print("");
    EXPECT_EQ(calls, (std::vector<std::string>{"8,16 Hola 197121", "8,31  197121"}));
    EXPECT_EQ(s.takeDirty(), (Rect{8, 16, 28, 46}));
}

TEST(Surface, AnEmptySurfaceIgnoresEverything) {
    Surface s(0, -5, 0);
    s.horizontalLine(0, 10, 0);
    s.circle(0, 0, 5);
    s.box(0, 0, 3, 3);
    s.drawEdgeSunkenInner(0, 0, 5, 5);
    const std::uint32_t colours[] = {0};
    s.fillRows(0, 5, 0, colours);
    const std::uint32_t row[] = {0};
    s.copyRow(0, 0, row);
    EXPECT_EQ(s.point(0, 0), -1);
    EXPECT_TRUE(s.takeDirty().isEmpty());
}

} // namespace
} // namespace tintaro
