#include "Surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

namespace tintaro {
namespace {

constexpr int kW = 23;
constexpr int kH = 9;

Surface noisySurface(unsigned seed) {
    Surface s(kW, kH, 0);
    std::mt19937 rng(seed);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            s.setPixel(x, y, static_cast<ColorRef>(rng() & 0xFFFFFFu));
    s.takeDirty();
    return s;
}

std::vector<std::uint32_t> pixelsOf(const Surface& s) {
    return {s.pixels(), s.pixels() + s.width() * s.height()};
}

std::vector<ColorRef> coloursFor(int count) {
    std::vector<ColorRef> colours;
    for (int i = 0; i < count; ++i)
        colours.push_back(RGB(17 * i & 255, 255 - 9 * i, 0x5A ^ i));
    return colours;
}

struct Case {
    const char* name;
    int x1, x2, yFirst, count;
};

const Case kCases[] = {
    {"inside, 15 pixels", 3, 18, 0, 9},
    {"inside, 8 pixels", 5, 13, 2, 4},
    {"inside, 5 pixels", 5, 10, 1, 3},
    {"inside, 2 pixels", 7, 9, 4, 2},
    {"one pixel", 7, 8, 4, 1},
    {"zero length", 7, 7, 3, 5},
    {"right to left", 20, 2, 1, 6},
    {"right to left, one pixel", 8, 7, 0, 3},
    {"clipped left and right", -5, 40, 0, 9},
    {"clipped right to left", 40, -5, 0, 9},
    {"clipped top", 2, 12, -4, 7},
    {"clipped bottom", 2, 12, 6, 7},
    {"taller than the surface", 0, kW, -3, 20},
    {"all above", 2, 12, -10, 5},
    {"all below", 2, 12, kH, 5},
    {"left of the surface", -30, -1, 0, 4},
    {"right of the surface", kW, kW + 9, 0, 4},
    {"ends at column 0", -8, 0, 0, 4},
    {"starts at the last column", kW - 1, kW + 5, 0, 4},
    {"from INT_MIN to INT_MAX", INT_MIN, INT_MAX, 1, 3},
    {"from INT_MAX to INT_MIN", INT_MAX, INT_MIN, 1, 3},
    {"rows from INT_MIN", 0, 10, INT_MIN, 4},
    {"rows at INT_MAX", 0, 10, INT_MAX, 4},
    {"rows running past INT_MAX", 0, 10, INT_MAX - 2, 6},
    {"empty span", 0, 10, 0, 0},
};

struct Pen {
    int mode;
    int width;
};

const Pen kPens[] = {{kDrawModeCopyPen, 1},
                     {kDrawModeCopyPen, 2},
                     {kDrawModeInvert, 1},
                     {kDrawModeInvert, 3},
                     {7, 1} /* xor pen */,
                     {1, 1} /* black */,
                     {99, 1} /* unknown: copy */};

// The run on one surface and the same lines drawn one by one on a twin must agree in every
// pixel, the dirty rectangle and the state left behind, starting clean or already dirty.
TEST(SurfaceHorizontalLines, MatchLineByLineDrawing) {
    for (const Case& c : kCases)
        for (const Pen& pen : kPens)
            for (const bool dirtyBefore : {false, true}) {
                SCOPED_TRACE(testing::Message() << c.name << ", mode " << pen.mode << ", width "
                                                << pen.width << (dirtyBefore ? ", dirty" : ""));
                Surface run = noisySurface(7);
                Surface lines = noisySurface(7);
                for (Surface* s : {&run, &lines}) {
                    s->setDrawMode(pen.mode);
                    s->setDrawWidth(pen.width);
                    s->setForeColor(RGB(1, 2, 3));
                    s->moveTo(-7, -7);
                    if (dirtyBefore)
                        s->invalidate(Rect{10, 4, 12, 5});
                }
                const std::vector<ColorRef> colours = coloursFor(c.count);
                run.horizontalLines(c.x1, c.x2, c.yFirst, colours);
                for (int i = 0; i < c.count; ++i) {
                    const int y = static_cast<int>(
                        std::min<std::int64_t>(std::int64_t(c.yFirst) + i, INT_MAX));
                    lines.setForeColor(colours[static_cast<std::size_t>(i)]);
                    lines.moveTo(c.x1, y);
                    lines.lineTo(c.x2, y);
                }
                EXPECT_EQ(pixelsOf(run), pixelsOf(lines));
                EXPECT_EQ(run.dirtyRect(), lines.dirtyRect());
                EXPECT_EQ(run.foreColor(), lines.foreColor());
                EXPECT_EQ(run.drawMode(), pen.mode);
                EXPECT_EQ(run.drawWidth(), pen.width);

                // The pen position shows in where the next line starts.
                for (Surface* s : {&run, &lines}) {
                    s->setDrawMode(kDrawModeCopyPen);
                    s->setDrawWidth(1);
                    s->setForeColor(RGB(0xAB, 0xCD, 0xEF));
                    s->lineTo(kW / 2, kH / 2);
                }
                EXPECT_EQ(pixelsOf(run), pixelsOf(lines));
                EXPECT_EQ(run.dirtyRect(), lines.dirtyRect());
            }
}

TEST(SurfaceHorizontalLines, ClippedCopyRunHasExactPixelsAndDirtyRect) {
    Surface s(6, 4, RGB(9, 9, 9));
    const ColorRef colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    s.horizontalLines(8, 2, 2, colours); // right to left: columns 3..8, rows 2..4
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const ColorRef expected = x >= 3 && y >= 2 ? colours[y - 2] : RGB(9, 9, 9);
            EXPECT_EQ(s.point(x, y), expected) << x << "," << y;
        }
    EXPECT_EQ(s.dirtyRect(), (Rect{3, 2, 6, 4}));
    EXPECT_EQ(s.foreColor(), RGB(0, 0, 255));
}

TEST(SurfaceHorizontalLines, EmptySurfaceIgnoresTheRunButKeepsTheState) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
        Surface s(w, h, 0);
        const ColorRef colours[] = {RGB(1, 1, 1), RGB(2, 2, 2)};
        s.horizontalLines(-1, 3, 0, colours);
        EXPECT_TRUE(s.dirtyRect().isEmpty());
        EXPECT_EQ(s.foreColor(), RGB(2, 2, 2));
    }
}

} // namespace
} // namespace tintaro
