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

TEST(Surface, DrawModesCombinePenAndPixel) {
    struct Case {
        int mode;
        std::uint32_t expected; // pen 0x0000FF00 (green) over pixel 0x00F0F0F0
    };
    const Case cases[] = {{kDrawModeCopyPen, 0xFF00FF00u},
                          {kDrawModeInvert, 0xFF0F0F0Fu},
                          {1, 0xFF000000u},
                          {16, 0xFFFFFFFFu},
                          {7, 0xFFF00FF0u} /* xor pen */,
                          {9, 0xFF00F000u},
                          {11, 0xFFF0F0F0u} /* nop */,
                          {99, 0xFF00FF00u} /* unknown: copy */};
    for (const Case& c : cases) {
        Surface s(3, 1, RGB(0xF0, 0xF0, 0xF0));
        s.setForeColor(RGB(0, 255, 0));
        s.setDrawMode(c.mode);
        s.line(0, 0, 1, 0);
        EXPECT_EQ(s.pixels()[0], c.expected) << "mode " << c.mode;
        EXPECT_EQ(s.pixels()[1], 0xFFF0F0F0u) << "end point painted, mode " << c.mode;
    }
}

TEST(Surface, OnePixelLinesLeaveOutTheirEndPoint) {
    struct Case {
        int x1, y1, x2, y2;
        Points expected;
    };
    const Case cases[] = {
        {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {3, 3, 3, 3, {}},
        {-3, 2, 2, 2, {{0, 2}, {1, 2}}},
    };
    for (const Case& c : cases) {
        for (int mode : {kDrawModeCopyPen, kDrawModeInvert}) {
            Surface s(8, 6, 0);
            fillNoise(s, 7);
            const auto before = snapshot(s);
            s.setDrawMode(mode);
            s.setForeColor(RGB(1, 2, 3));
            s.line(c.x1, c.y1, c.x2, c.y2);
            Points changed;
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 8; ++x)
                    if (s.pixels()[y * 8 + x] != before[static_cast<std::size_t>(y * 8 + x)]) {
                        changed.insert({x, y});
                        if (mode == kDrawModeCopyPen) {
                            EXPECT_EQ(s.point(x, y), RGB(1, 2, 3));
                        }
                    }
            EXPECT_EQ(changed, c.expected)
                << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2 << " mode " << mode;
        }
    }
}

// The raster operation of `mode` worked out bit by bit from its truth table: bit (pen << 1 |
// destination) of mode - 1 gives the result.
std::uint32_t ropByBits(int mode, std::uint32_t pen, std::uint32_t dst) {
    std::uint32_t out = 0;
    for (int b = 0; b < 24; ++b) {
        const unsigned index = ((pen >> b) & 1u) << 1 | ((dst >> b) & 1u);
        if ((static_cast<unsigned>(mode - 1) >> index) & 1u)
            out |= 1u << b;
    }
    return 0xFF000000u | out;
}

// Horizontal one-pixel lines in copy-pen mode take a shortcut of their own; in every mode they
// must cover the pixels from the start towards the end, the end left out, clipped to the surface,
// and mark exactly those as changed.
TEST(Surface, HorizontalLinesCoverTheirRunInEveryModeAndMarkItDirty) {
    struct Case {
        int x1, x2, y;
        int first, last; // covered columns, first > last for none
    };
    const Case cases[] = {
        {1, 5, 2, 1, 4},
        {5, 1, 2, 2, 5},
        {3, 3, 2, 1, 0},
        {3, 4, 2, 3, 3},
        {4, 3, 2, 4, 4},
        {0, 9, 0, 0, 8},
        {9, 0, 4, 1, 8},
        {-4, 3, 1, 0, 2},
        {6, 20, 3, 6, 8},
        {20, -20, 1, 0, 8},
        {8, 9, 2, 8, 8},
        {9, 8, 2, 1, 0},
        {-1, 0, 2, 1, 0},
        {0, -1, 2, 0, 0},
        {2, 7, -1, 1, 0},
        {2, 7, 5, 1, 0},
        {INT_MIN, INT_MAX, 1, 0, 8},
        {INT_MAX, INT_MIN, 3, 0, 8},
        {12, 40, 2, 1, 0},
    };
    const std::uint32_t pen = 0xFF5A3C96u;
    for (const Case& c : cases) {
        for (int mode = 0; mode <= 17; ++mode) {
            Surface s(9, 5, 0);
            fillNoise(s, 11);
            s.takeDirty();
            const auto before = snapshot(s);
            s.setForeColor(RGB(0x5A, 0x3C, 0x96));
            s.setDrawMode(mode);
            s.moveTo(c.x1, c.y);
            s.lineTo(c.x2, c.y);
            const bool copies = mode == kDrawModeCopyPen || mode < 1 || mode > 16;
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x) {
                    const std::size_t i = static_cast<std::size_t>(y * 9 + x);
                    std::uint32_t expected = before[i];
                    if (y == c.y && x >= c.first && x <= c.last)
                        expected = copies ? pen : ropByBits(mode, pen, before[i]);
                    ASSERT_EQ(s.pixels()[i], expected)
                        << c.x1 << " -> " << c.x2 << " row " << c.y << " mode " << mode << " at "
                        << x << "," << y;
                }
            const Rect expectedDirty =
                c.first <= c.last ? Rect{c.first, c.y, c.last + 1, c.y + 1} : Rect{};
            EXPECT_EQ(s.takeDirty(), expectedDirty)
                << c.x1 << " -> " << c.x2 << " row " << c.y << " mode " << mode;
        }
    }
}

// The pen stays at each line's end, so lines drawn one after another join up; and a run grows
// a dirty rectangle already holding other changes without shrinking it.
TEST(Surface, LinesDrawnInTurnStartWhereTheLastEnded) {
    Surface s(10, 6, 0);
    s.setPixel(9, 5, RGB(1, 1, 1));
    s.setForeColor(RGB(255, 0, 0));
    s.moveTo(1, 1);
    s.lineTo(6, 1); // 1..5
    s.lineTo(6, 4); // (6,1)..(6,3)
    s.lineTo(2, 4); // 6..3 on row 4
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool on = (y == 1 && x >= 1 && x <= 5) || (x == 6 && y >= 1 && y <= 3) ||
                            (y == 4 && x >= 3 && x <= 6);
            const ColorRef expected = on ? RGB(255, 0, 0) : (x == 9 && y == 5 ? RGB(1, 1, 1) : 0);
            EXPECT_EQ(s.point(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(s.takeDirty(), (Rect{1, 1, 10, 6}));
    s.moveTo(4, 0);
    s.lineTo(0, 0); // right to left: 4..1
    EXPECT_EQ(s.takeDirty(), (Rect{1, 0, 5, 1}));
}

TEST(Surface, WideLineCoversSquareStampsOnce) {
    // A width-2 line covers the row above as well, and each pixel is inverted once although
    // neighbouring stamps overlap.
    Surface s(10, 6, 0);
    fillNoise(s, 3);
    const auto before = snapshot(s);
    s.setDrawMode(kDrawModeInvert);
    s.setDrawWidth(2);
    s.line(3, 3, 7, 3);
    EXPECT_EQ(
        invertedSet(s, before),
        (Points{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));
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
    EXPECT_EQ(s.currentX(), 10);
    EXPECT_EQ(s.currentY(), 10);
}

// The outline of the last radius is kept; a circle of another radius must not reuse it.
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

TEST(Surface, SolidFilledCircleFillsTheInsideWithTheFillColour) {
    Surface s(21, 21, RGB(9, 9, 9));
    s.setFillStyle(kFillSolid);
    s.setFillColor(RGB(0, 0, 200));
    s.setForeColor(RGB(200, 0, 0));
    s.circle(10, 10, 5);
    EXPECT_EQ(s.point(10, 10), RGB(0, 0, 200));
    EXPECT_EQ(s.point(14, 10), RGB(0, 0, 200));
    EXPECT_EQ(s.point(15, 10), RGB(200, 0, 0));
    EXPECT_EQ(s.point(16, 10), RGB(9, 9, 9));
    EXPECT_EQ(s.point(10, 5), RGB(200, 0, 0));
    EXPECT_EQ(s.point(10, 6), RGB(0, 0, 200));
    EXPECT_EQ(s.point(14, 14), RGB(9, 9, 9));
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
            figures.push_back({0, x, y, x - 5, y + 9, width});
            figures.push_back({0, x, y, x + 3, y - 3, width});
        }
    }
    figures.push_back({0, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 2});
    figures.push_back({0, INT_MIN, 10, INT_MAX, 12, 1});
    figures.push_back({0, -100000, 3, 100000, 20, 2});
    figures.push_back({1, 20, 15, 30000, 0, 1});
    figures.push_back({1, 20, 15, 100000, 0, 1});
    figures.push_back({0, 5, 5, 30, 25, 100000});

    for (const Figure& f : figures) {
        Surface s(w, h, 0);
        fillNoise(s, 5);
        const auto before = snapshot(s);
        s.setDrawMode(kDrawModeInvert);
        s.setDrawWidth(f.width);
        auto draw = [&] {
            if (f.kind == 0)
                s.line(f.a, f.b, f.c, f.d);
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

// A 3 x 2 image, stored bottom-up with its rows padded to 12 bytes. Image row 0 (top) holds
// colours 1, 2, 3 and row 1 holds 4, 5, 6, each colour (n, 10n, 20n) as red, green, blue.
std::vector<std::uint8_t> smallDib() {
    std::vector<std::uint8_t> bits(24, 0xEE);
    auto put = [&](int memRow, int col, int n) {
        std::uint8_t* p = &bits[static_cast<std::size_t>(memRow * 12 + col * 3)];
        p[0] = static_cast<std::uint8_t>(20 * n);
        p[1] = static_cast<std::uint8_t>(10 * n);
        p[2] = static_cast<std::uint8_t>(n);
    };
    for (int col = 0; col < 3; ++col) {
        put(1, col, col + 1); // top row is last in memory
        put(0, col, col + 4);
    }
    return bits;
}

ColorRef dibColour(int n) {
    return n == 0 ? 0 : RGB(n, 10 * n, 20 * n);
}

TEST(Surface, StretchDibPlacesAndMirrorsTheImage) {
    struct Case {
        const char* name;
        int dstX, dstY, dstW, dstH, srcX, srcY, bmpH;
        std::vector<int> expected; // 5 x 4 surface, colour number per pixel, 0 untouched
    };
    const Case cases[] = {
        {"plain", 1, 1, 3, 2, 0, 0, 2, {0, 0, 0, 0, 0, 0, 1, 2, 3, 0,
                                        0, 4, 5, 6, 0, 0, 0, 0, 0, 0}},
        {"mirror x", 3, 1, -3, 2, 0, 0, 2, {0, 0, 0, 0, 0, 0, 3, 2, 1, 0,
                                            0, 6, 5, 4, 0, 0, 0, 0, 0, 0}},
        {"mirror y", 1, 2, 3, -2, 0, 0, 2, {0, 0, 0, 0, 0, 0, 4, 5, 6, 0,
                                            0, 1, 2, 3, 0, 0, 0, 0, 0, 0}},
        {"both", 4, 3, -3, -2, 0, 0, 2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                         0, 0, 6, 5, 4, 0, 0, 3, 2, 1}},
        {"source offset", 0, 0, 2, 1, 1, 1, 2, {5, 6, 0, 0, 0, 0, 0, 0, 0, 0,
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"larger than image", 0, 0, 9, 9, 0, 0, 2, {1, 2, 3, 0, 0, 4, 5, 6, 0, 0,
                                                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"clipped left", -2, 0, 3, 2, 0, 0, 2, {3, 0, 0, 0, 0, 6, 0, 0, 0, 0,
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"clipped right mirrored", 6, 0, -3, 1, 0, 0, 2, {0, 0, 0, 0, 3, 0, 0, 0, 0, 0,
                                                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"top-down", 0, 0, 3, 2, 0, 0, -2, {4, 5, 6, 0, 0, 1, 2, 3, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"far outside", INT_MIN, INT_MAX, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 2, {0, 0, 0, 0, 0,
                                                                                  0, 0, 0, 0, 0,
                                                                                  0, 0, 0, 0, 0,
                                                                                  0, 0, 0, 0, 0}},
    };
    const auto bits = smallDib();
    for (const Case& c : cases) {
        Surface s(5, 4, 0);
        s.setDrawMode(kDrawModeInvert); // a transfer copies whatever the draw mode
        s.stretchDib(c.dstX, c.dstY, c.dstW, c.dstH, bits.data(), 3, c.bmpH, c.srcX, c.srcY);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(s.point(x, y), dibColour(c.expected[static_cast<std::size_t>(y * 5 + x)]))
                    << c.name << " at " << x << "," << y;
    }
}

// Rows are converted several pixels at a time with the row's end handled apart: every width,
// both directions, both row orders, from an exactly sized buffer (the sanitizer build catches a
// read past it).
TEST(Surface, StretchDibCopiesEveryRowWidthExactly) {
    std::mt19937 rng(5);
    for (int w = 1; w <= 21; ++w) {
        const int stride = (w * 3 + 3) & ~3;
        const int rows = 3;
        for (int bmpH : {rows, -rows})
            for (bool mirrored : {false, true})
                for (bool flipped : {false, true}) {
                    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride * rows));
                    for (auto& b : bits)
                        b = static_cast<std::uint8_t>(rng());
                    Surface s(w + 4, rows + 2, RGB(9, 9, 9));
                    const int dstX = mirrored ? w + 1 : 2;
                    const int dstY = flipped ? rows : 1;
                    s.stretchDib(dstX, dstY, mirrored ? -w : w, flipped ? -rows : rows, bits.data(),
                                 w, bmpH, 0, 0);
                    for (int y = 0; y < rows + 2; ++y)
                        for (int x = 0; x < w + 4; ++x) {
                            ColorRef expected = RGB(9, 9, 9);
                            const int i = mirrored ? dstX - x : x - dstX;
                            const int j = flipped ? dstY - y : y - dstY;
                            if (i >= 0 && i < w && j >= 0 && j < rows) {
                                const int memRow = bmpH > 0 ? rows - 1 - j : j;
                                const std::uint8_t* p =
                                    &bits[static_cast<std::size_t>(memRow * stride + i * 3)];
                                expected = RGB(p[2], p[1], p[0]);
                            }
                            ASSERT_EQ(s.point(x, y), expected)
                                << "width " << w << " bmpH " << bmpH << " mirrored " << mirrored
                                << " flipped " << flipped << " at " << x << "," << y;
                        }
                }
    }
}

TEST(Surface, StretchDibReadsNothingPastTheLastPixel) {
    // 256-pixel rows have no padding: the last pixel of the buffer ends the allocation, which the
    // sanitizer build would catch if it were read as a word.
    std::vector<std::uint8_t> bits(256 * 2 * 3);
    bits[bits.size() - 3] = 7;
    bits[bits.size() - 2] = 8;
    bits[bits.size() - 1] = 9;
    Surface s(256, 2, 0);
    s.stretchDib(0, 0, 256, 2, bits.data(), 256, 2, 0, 0);
    EXPECT_EQ(s.point(255, 0), RGB(9, 8, 7));
    s.stretchDib(255, 0, -256, 2, bits.data(), 256, 2, 0, 0);
    EXPECT_EQ(s.point(0, 0), RGB(9, 8, 7));
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
    s.line(3, 4, 10, 4);
    EXPECT_EQ(s.takeDirty(), (Rect{3, 4, 10, 5}));
    EXPECT_TRUE(s.dirtyRect().isEmpty());
    s.setDrawMode(kDrawModeInvert);
    s.circle(2, 2, 5); // clipped at the corner
    s.setPixel(30, 30, 1);
    EXPECT_EQ(s.takeDirty(), (Rect{0, 0, 31, 31}));
    s.invalidate(Rect{-5, 35, 60, 80});
    EXPECT_EQ(s.takeDirty(), (Rect{0, 35, 50, 40}));
    s.line(-10, -10, -2, -2); // entirely outside
    s.stretchDib(0, 0, 1, 1, nullptr, 1, 1, 0, 0);
    EXPECT_TRUE(s.takeDirty().isEmpty());
    std::vector<std::uint8_t> bits(4 * 4 * 3 + 4 * 4, 0);
    s.stretchDib(49, 39, -4, -4, bits.data(), 4, 4, 0, 0);
    EXPECT_EQ(s.takeDirty(), (Rect{46, 36, 50, 40}));
    s.drawEdgeSunkenInner(5, 6, 9, 12);
    EXPECT_EQ(s.takeDirty(), (Rect{5, 6, 9, 12}));
}

TEST(Surface, PrintUsesThePainterAndMovesTheTextPositionDown) {
    Surface s(100, 100, 0);
    s.setCurrentX(7.5);
    s.setCurrentY(3);
    s.setForeColor(RGB(1, 2, 3));
    s.print("sin pintor");
    EXPECT_EQ(s.currentY(), 3 + 13); // the default line height
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
    EXPECT_EQ(s.currentX(), 7.5);
    EXPECT_EQ(s.currentY(), 46);
    EXPECT_EQ(s.takeDirty(), (Rect{8, 16, 28, 46}));

    // A text position no pixel can stand for still prints, at a held position.
    calls.clear();
    s.setCurrentX(std::numeric_limits<double>::quiet_NaN());
    s.setCurrentY(1e300);
    s.print("x");
    EXPECT_EQ(calls, (std::vector<std::string>{"0,1000000000 x 197121"}));
}

TEST(Surface, DrawWidthBelowOneIsOneAndAnEmptySurfaceIgnoresEverything) {
    Surface s(0, -5, 0);
    s.setDrawWidth(-3);
    EXPECT_EQ(s.drawWidth(), 1);
    s.line(0, 0, 10, 10);
    s.circle(0, 0, 5);
    s.box(0, 0, 3, 3);
    s.drawEdgeSunkenInner(0, 0, 5, 5);
    std::uint8_t bits[4] = {};
    s.stretchDib(0, 0, 1, 1, bits, 1, 1, 0, 0);
    EXPECT_EQ(s.point(0, 0), -1);
    EXPECT_TRUE(s.takeDirty().isEmpty());
}

} // namespace
} // namespace tintaro
