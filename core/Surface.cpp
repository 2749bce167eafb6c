#include "Surface.h"

#include "CpuFeatures.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tintaro {

namespace {

using Int64 = std::int64_t;
__extension__ using Int128 = __int128;

// The runtime accepts draw widths and radii up to the 16-bit range; beyond it a figure would
// cover more than any surface, and its cost would grow without bound.
constexpr Int64 kMaxFigureSize = 32767;
// Line height used by print() when no toolkit painter is installed.
constexpr int kDefaultLineHeight = 13;

// The text position is kept as a double; the painter gets the nearest pixel, far-off values held
// well inside int and a NaN taken as 0.
int textCoordinate(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::nearbyint(std::clamp(v, -1e9, 1e9)));
}

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

std::uint32_t toPixel(ColorRef colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

ColorRef toColorRef(std::uint32_t pixel) {
    return static_cast<ColorRef>(((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) |
                                 ((pixel & 0xFFu) << 16));
}

// The sixteen binary raster operations: mode - 1 is the truth table, indexed by
// (pen bit << 1) | destination bit. Unknown modes draw as copy pen.
std::uint32_t applyMode(int mode, std::uint32_t pen, std::uint32_t dst) {
    if (mode == kDrawModeCopyPen || mode < 1 || mode > 16)
        return kOpaque | (pen & kRgbMask);
    if (mode == kDrawModeInvert)
        return dst ^ kRgbMask;
    const unsigned table = static_cast<unsigned>(mode - 1);
    std::uint32_t out = 0;
    if (table & 1u)
        out |= ~pen & ~dst;
    if (table & 2u)
        out |= ~pen & dst;
    if (table & 4u)
        out |= pen & ~dst;
    if (table & 8u)
        out |= pen & dst;
    return kOpaque | (out & kRgbMask);
}

Int64 absolute(Int64 v) {
    return v < 0 ? -v : v;
}

Int64 floorDiv(Int128 num, Int128 den) {
    Int128 q = num / den;
    if ((num % den != 0) && ((num < 0) != (den < 0)))
        --q;
    return static_cast<Int64>(q);
}

// Visits the points of the line from (x1, y1) towards (x2, y2), the end point excluded, whose
// coordinates lie in [minX, maxX] x [minY, maxY]. Step t along the major axis gives the minor
// offset round(t * dMinor / dMajor) with halves away from the start, so any point can be found
// without walking from the start: far-off end points cost no more than the visible part.
template <typename Visit>
void forEachLinePoint(Int64 x1, Int64 y1, Int64 x2, Int64 y2, Int64 minX, Int64 maxX, Int64 minY,
                      Int64 maxY, Visit visit) {
    const Int64 dx = x2 - x1;
    const Int64 dy = y2 - y1;
    if (dx == 0 && dy == 0)
        return;
    const bool xMajor = absolute(dx) >= absolute(dy);
    const Int64 major0 = xMajor ? x1 : y1;
    const Int64 minor0 = xMajor ? y1 : x1;
    const Int64 dMajor = xMajor ? dx : dy;
    const Int64 dMinor = xMajor ? dy : dx;
    const Int64 majorSign = dMajor < 0 ? -1 : 1;
    const Int64 minorSign = dMinor < 0 ? -1 : 1;
    const Int64 aMajor = absolute(dMajor);
    const Int64 aMinor = absolute(dMinor);
    const Int64 lo = xMajor ? minX : minY;
    const Int64 hi = xMajor ? maxX : maxY;

    // t in [0, aMajor - 1] with major0 + majorSign * t in [lo, hi].
    Int64 tFrom = 0;
    Int64 tTo = aMajor - 1;
    if (majorSign > 0) {
        tFrom = std::max(tFrom, lo - major0);
        tTo = std::min(tTo, hi - major0);
    } else {
        tFrom = std::max(tFrom, major0 - hi);
        tTo = std::min(tTo, major0 - lo);
    }
    for (Int64 t = tFrom; t <= tTo; ++t) {
        const Int64 off = floorDiv(Int128(2) * t * aMinor + aMajor, Int128(2) * aMajor);
        const Int64 major = major0 + majorSign * t;
        const Int64 minor = minor0 + minorSign * off;
        const Int64 x = xMajor ? major : minor;
        const Int64 y = xMajor ? minor : major;
        if (x >= minX && x <= maxX && y >= minY && y <= maxY)
            visit(static_cast<int>(x), static_cast<int>(y));
    }
}

// Offsets of the square pen stamp of `width` pixels about a point: -(width / 2) .. that + width
// - 1.
Int64 stampStart(Int64 width) {
    return -(width / 2);
}

// Coverage of a figure over a clipped box, so that every covered pixel is drawn exactly once
// however many stamps reach it. Stamps are counted in a 2-D difference array.
class Coverage {
public:
    Coverage(Int64 left, Int64 top, Int64 right, Int64 bottom) // inclusive, already clipped
        : m_left(left)
        , m_top(top)
        , m_w(std::max<Int64>(0, right - left + 1))
        , m_h(std::max<Int64>(0, bottom - top + 1))
        , m_diff(static_cast<std::size_t>((m_w + 1) * (m_h + 1)), 0) {}

    bool isEmpty() const { return m_w == 0 || m_h == 0; }

    // Adds the rectangle [x0, x1] x [y0, y1] (inclusive, any coordinates).
    void addRect(Int64 x0, Int64 y0, Int64 x1, Int64 y1) {
        x0 = std::max(x0, m_left) - m_left;
        y0 = std::max(y0, m_top) - m_top;
        x1 = std::min(x1, m_left + m_w - 1) - m_left;
        y1 = std::min(y1, m_top + m_h - 1) - m_top;
        if (x1 < x0 || y1 < y0)
            return;
        at(x0, y0) += 1;
        at(x1 + 1, y0) -= 1;
        at(x0, y1 + 1) -= 1;
        at(x1 + 1, y1 + 1) += 1;
    }

    // Resolves the counts into a mask: covered(x, y) afterwards.
    void resolve() {
        for (Int64 y = 0; y <= m_h; ++y)
            for (Int64 x = 0; x <= m_w; ++x) {
                std::int32_t v = at(x, y);
                if (x > 0)
                    v += at(x - 1, y);
                if (y > 0)
                    v += at(x, y - 1);
                if (x > 0 && y > 0)
                    v -= at(x - 1, y - 1);
                at(x, y) = v;
            }
    }

    bool covered(Int64 x, Int64 y) const {
        return m_diff[static_cast<std::size_t>((y - m_top) * (m_w + 1) + (x - m_left))] > 0;
    }

    Int64 left() const { return m_left; }
    Int64 top() const { return m_top; }
    Int64 right() const { return m_left + m_w - 1; }
    Int64 bottom() const { return m_top + m_h - 1; }

private:
    std::int32_t& at(Int64 x, Int64 y) {
        return m_diff[static_cast<std::size_t>(y * (m_w + 1) + x)];
    }

    Int64 m_left;
    Int64 m_top;
    Int64 m_w;
    Int64 m_h;
    std::vector<std::int32_t> m_diff;
};

// Outline points of a circle of radius r about the origin (midpoint rasterisation), each once.
std::vector<std::pair<int, int>> midpointCircle(int r) {
    std::vector<std::pair<int, int>> points;
    int x = 0;
    int y = r;
    Int64 d = 1 - r;
    while (x <= y) {
        const std::pair<int, int> octant[8] = {{x, y}, {-x, y}, {x, -y}, {-x, -y},
                                               {y, x}, {-y, x}, {y, -x}, {-y, -x}};
        points.insert(points.end(), std::begin(octant), std::end(octant));
        ++x;
        if (d < 0) {
            d += 2 * Int64(x) + 1;
        } else {
            --y;
            d += 2 * (Int64(x) - y) + 1;
        }
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

// Blue, green, red in memory read as one little-endian word already have the layout of
// 0xFFRRGGBB once the fourth byte is replaced. Words are read only where all four bytes belong
// to the row, so no read passes the end of the caller's buffer.
void convertRowScalar(const std::uint8_t* src, std::uint32_t* dst, Int64 n, bool mirrored) {
    const Int64 step = mirrored ? -1 : 1;
    Int64 k = 0;
    for (; k + 1 < n; ++k) {
        std::uint32_t w;
        std::memcpy(&w, src + 3 * k, 4);
        dst[step * k] = w | kOpaque;
    }
    const std::uint8_t* last = src + 3 * k;
    dst[step * k] =
        kOpaque | (std::uint32_t(last[2]) << 16) | (std::uint32_t(last[1]) << 8) | last[0];
}

// The rows of a transfer: `rows` rows of n pixels, the source and destination advancing by
// their own steps (bytes, pixels) from one row to the next.
struct RowRun {
    const std::uint8_t* src;
    Int64 srcStep;
    std::uint32_t* dst;
    Int64 dstStep;
    Int64 rows;
    Int64 n;
    bool mirrored;
};

void convertRowsScalar(const RowRun& run) {
    for (Int64 j = 0; j < run.rows; ++j)
        convertRowScalar(run.src + j * run.srcStep, run.dst + j * run.dstStep, run.n, run.mirrored);
}

#if defined(TINTARO_X86_SIMD)
// Four pixels a step: one 16-byte load, one byte shuffle that spreads (or, mirrored, reverses
// and spreads) them into words, the opaque alpha added. The last four pixels of a row come
// from a load that ends at the row's last byte, stored over the step before, so a narrow row
// (the hue strip's 15 pixels) needs no pixel-by-pixel tail.
__attribute__((target("ssse3"))) void convertRowsSsse3(const RowRun& run) {
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(kOpaque));
    const __m128i forward = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i reverse = _mm_setr_epi8(9, 10, 11, -1, 6, 7, 8, -1, 3, 4, 5, -1, 0, 1, 2, -1);
    const __m128i forwardEnd =
        _mm_setr_epi8(4, 5, 6, -1, 7, 8, 9, -1, 10, 11, 12, -1, 13, 14, 15, -1);
    const __m128i reverseEnd =
        _mm_setr_epi8(13, 14, 15, -1, 10, 11, 12, -1, 7, 8, 9, -1, 4, 5, 6, -1);
    const Int64 n = run.n;
    const __m128i step = run.mirrored ? reverse : forward;
    const __m128i end = run.mirrored ? reverseEnd : forwardEnd;
    // The pixels n - 4 .. n - 1 land at dst + n - 4 or, mirrored, at dst - (n - 1).
    const Int64 endOffset = run.mirrored ? -(n - 1) : n - 4;
    for (Int64 j = 0; j < run.rows; ++j) {
        const std::uint8_t* src = run.src + j * run.srcStep;
        std::uint32_t* dst = run.dst + j * run.dstStep;
        if (n < 6) {
            convertRowScalar(src, dst, n, run.mirrored);
            continue;
        }
        // A 16-byte load at pixel k stays inside the row's 3n bytes while k + 6 <= n.
        Int64 k = 0;
        if (!run.mirrored) {
            for (; k + 6 <= n; k += 4) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * k));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + k),
                                 _mm_or_si128(_mm_shuffle_epi8(v, step), alpha));
            }
        } else {
            for (; k + 6 <= n; k += 4) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * k));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dst - k - 3),
                                 _mm_or_si128(_mm_shuffle_epi8(v, step), alpha));
            }
        }
        // The loop stops at most five pixels from the end; a fifth is converted on its own.
        if (k == n - 5)
            convertRowScalar(src + 3 * k, run.mirrored ? dst - k : dst + k, 1, run.mirrored);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * n - 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + endOffset),
                         _mm_or_si128(_mm_shuffle_epi8(v, end), alpha));
    }
}

#endif

void convertRows(const RowRun& run) {
#if defined(TINTARO_X86_SIMD)
    if (cpu::hasSsse3()) {
        convertRowsSsse3(run);
        return;
    }
#endif
    convertRowsScalar(run);
}

// Rows of one-colour runs: `rows` runs of n pixels, `stride` pixels apart, row j in colours[j].
struct RunFill {
    std::uint32_t* run;
    Int64 stride;
    Int64 rows;
    Int64 n;
    const ColorRef* colours;
};

void fillRunsPortable(const RunFill& f) {
    std::uint32_t* run = f.run;
    if (f.n >= 4) {
        // Four pixels a store (the compiler joins each group of four), the last group
        // overlapping the one before.
        auto four = [](std::uint32_t* p, std::uint32_t px) {
            p[0] = px;
            p[1] = px;
            p[2] = px;
            p[3] = px;
        };
        for (Int64 j = 0; j < f.rows; ++j, run += f.stride) {
            const std::uint32_t px = toPixel(f.colours[j]);
            Int64 k = 0;
            for (; k + 4 <= f.n; k += 4)
                four(run + k, px);
            if (k < f.n)
                four(run + f.n - 4, px);
        }
        return;
    }
    for (Int64 j = 0; j < f.rows; ++j, run += f.stride) {
        const std::uint32_t px = toPixel(f.colours[j]);
        for (Int64 k = 0; k < f.n; ++k)
            run[k] = px;
    }
}

#if defined(TINTARO_X86_SIMD)
// Eight pixels a store, the last eight ending at the run's end over the store before: a
// slider's 15-pixel run takes two stores instead of four.
__attribute__((target("avx"))) void fillRunsAvx(const RunFill& f) {
    std::uint32_t* run = f.run;
    const Int64 n = f.n;
    for (Int64 j = 0; j < f.rows; ++j, run += f.stride) {
        const __m256i px = _mm256_set1_epi32(static_cast<int>(toPixel(f.colours[j])));
        Int64 k = 0;
        for (; k + 8 <= n; k += 8)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(run + k), px);
        if (k < n)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(run + n - 8), px);
    }
}

#endif

void fillRuns(const RunFill& f) {
#if defined(TINTARO_X86_SIMD)
    if (f.n >= 8 && cpu::hasAvx()) {
        fillRunsAvx(f);
        return;
    }
#endif
    fillRunsPortable(f);
}

} // namespace

void Rect::unite(const Rect& other) {
    if (other.isEmpty())
        return;
    if (isEmpty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

Surface::Surface(int width, int height, ColorRef background)
    : m_width(std::max(0, width))
    , m_height(std::max(0, height))
    , m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
               toPixel(background))
    , m_backColor(background) {}

ColorRef Surface::point(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    return toColorRef(m_pixels[static_cast<std::size_t>(y) * m_width + x]);
}

void Surface::setPixel(int x, int y, ColorRef colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = toPixel(colour);
    markDirty(x, y, x + 1, y + 1);
}

void Surface::plot(int x, int y) {
    std::uint32_t& px = m_pixels[static_cast<std::size_t>(y) * m_width + x];
    px = applyMode(m_drawMode, toPixel(m_foreColor), px);
}

void Surface::markDirty(int left, int top, int right, int bottom) {
    Rect r{std::max(0, left), std::max(0, top), std::min(m_width, right),
           std::min(m_height, bottom)};
    m_dirty.unite(r);
}

Rect Surface::takeDirty() {
    const Rect r = m_dirty;
    m_dirty = Rect{};
    return r;
}

void Surface::invalidate(const Rect& rect) {
    markDirty(rect.left, rect.top, rect.right, rect.bottom);
}

void Surface::line(int x1, int y1, int x2, int y2) {
    moveTo(x1, y1);
    lineTo(x2, y2);
    // Like the window runtime, the text position follows the figure's end point.
    m_currentX = x2;
    m_currentY = y2;
}

void Surface::lineToGeneral(int fromX, int fromY, int x, int y) {
    const Int64 x1 = fromX;
    const Int64 y1 = fromY;
    if (m_width == 0 || m_height == 0)
        return;
    const Int64 width = std::min<Int64>(m_drawWidth, kMaxFigureSize);
    const Int64 maxX = m_width - 1;
    const Int64 maxY = m_height - 1;

    if (width == 1) {
        // A one-pixel line visits every point once, so it is drawn straight away.
        Rect touched;
        forEachLinePoint(x1, y1, x, y, 0, maxX, 0, maxY, [&](int px, int py) {
            plot(px, py);
            touched.unite(Rect{px, py, px + 1, py + 1});
        });
        markDirty(touched.left, touched.top, touched.right, touched.bottom);
        return;
    }

    // Wide lines: square stamps at every point of the one-pixel path, drawn as one set.
    const Int64 s0 = stampStart(width);
    const Int64 s1 = s0 + width - 1;
    Coverage cover(std::max<Int64>(0, std::min(x1, Int64(x)) + s0),
                   std::max<Int64>(0, std::min(y1, Int64(y)) + s0),
                   std::min(maxX, std::max(x1, Int64(x)) + s1),
                   std::min(maxY, std::max(y1, Int64(y)) + s1));
    if (cover.isEmpty())
        return;
    forEachLinePoint(x1, y1, x, y, -s1, maxX - s0, -s1, maxY - s0,
                     [&](int px, int py) { cover.addRect(px + s0, py + s0, px + s1, py + s1); });
    cover.resolve();
    const std::uint32_t pen = toPixel(m_foreColor);
    Rect touched;
    for (Int64 py = cover.top(); py <= cover.bottom(); ++py)
        for (Int64 px = cover.left(); px <= cover.right(); ++px)
            if (cover.covered(px, py)) {
                std::uint32_t& p = m_pixels[static_cast<std::size_t>(py * m_width + px)];
                p = applyMode(m_drawMode, pen, p);
                touched.unite(Rect{int(px), int(py), int(px) + 1, int(py) + 1});
            }
    markDirty(touched.left, touched.top, touched.right, touched.bottom);
}

void Surface::horizontalLines(int x1, int x2, int yFirst, std::span<const ColorRef> colours) {
    const Int64 count = static_cast<Int64>(colours.size());
    if (count == 0)
        return;
    auto rowOf = [yFirst](Int64 i) {
        return static_cast<int>(std::min<Int64>(yFirst + i, INT_MAX));
    };
    if (m_drawWidth != 1 || m_drawMode != kDrawModeCopyPen) {
        for (Int64 i = 0; i < count; ++i) {
            const int y = rowOf(i);
            m_foreColor = colours[static_cast<std::size_t>(i)];
            moveTo(x1, y);
            lineTo(x2, y);
        }
        return;
    }
    m_foreColor = colours.back();
    m_penX = x2;
    m_penY = rowOf(count - 1);
    if (x1 == x2)
        return;
    // The columns every line covers (its end point left out) and the lines whose rows lie on
    // the surface; rows clamped at INT_MAX are below any surface.
    const Int64 a = std::max<Int64>(x1 < x2 ? x1 : Int64(x2) + 1, 0);
    const Int64 b = std::min<Int64>(x1 < x2 ? Int64(x2) - 1 : x1, Int64(m_width) - 1);
    const Int64 iFrom = std::max<Int64>(0, -Int64(yFirst));
    const Int64 iTo = std::min<Int64>(count - 1, Int64(m_height) - 1 - yFirst);
    if (a > b || iFrom > iTo)
        return;
    // Locals rather than members in the loop: the pixel stores could alias the surface's own
    // fields, which would make the compiler reload them after every row.
    const Int64 n = b - a + 1;
    const Int64 stride = m_width;
    std::uint32_t* run = m_pixels.data() + (yFirst + iFrom) * stride + a;
    const ColorRef* colour = colours.data() + iFrom;
    fillRuns(RunFill{run, stride, iTo - iFrom + 1, n, colour});
    m_dirty.unite(Rect{static_cast<int>(a), static_cast<int>(yFirst + iFrom),
                       static_cast<int>(b) + 1, static_cast<int>(yFirst + iTo) + 1});
}

const std::vector<std::pair<int, int>>& Surface::circleOutline(int radius) {
    if (radius != m_outlineRadius) {
        m_outline = midpointCircle(radius);
        m_outlineRadius = radius;
    }
    return m_outline;
}

void Surface::circle(int cx, int cy, int radius) {
    m_currentX = cx;
    m_currentY = cy;
    if (radius < 1 || radius > kMaxFigureSize || m_width == 0 || m_height == 0)
        return;
    const Int64 width = std::min<Int64>(m_drawWidth, kMaxFigureSize);
    const bool filled = m_fillStyle == kFillSolid;
    const std::uint32_t pen = toPixel(m_foreColor);
    if (width == 1 && !filled) {
        // A one-pixel pen covers the outline's points and nothing else, each once: no coverage
        // map is needed. This is the picker's marker, drawn twice on every drag step.
        Rect touched;
        for (const auto& [dx, dy] : circleOutline(radius)) {
            const Int64 px = Int64(cx) + dx;
            const Int64 py = Int64(cy) + dy;
            if (px < 0 || py < 0 || px >= m_width || py >= m_height)
                continue;
            std::uint32_t& p = m_pixels[static_cast<std::size_t>(py * m_width + px)];
            p = applyMode(m_drawMode, pen, p);
            touched.unite(Rect{int(px), int(py), int(px) + 1, int(py) + 1});
        }
        markDirty(touched.left, touched.top, touched.right, touched.bottom);
        return;
    }
    const Int64 s0 = stampStart(width);
    const Int64 s1 = s0 + width - 1;
    const Int64 reach = radius + std::max(absolute(s0), s1);
    Coverage cover(std::max<Int64>(0, Int64(cx) - reach), std::max<Int64>(0, Int64(cy) - reach),
                   std::min<Int64>(m_width - 1, Int64(cx) + reach),
                   std::min<Int64>(m_height - 1, Int64(cy) + reach));
    if (cover.isEmpty())
        return;

    const auto& outline = circleOutline(radius);
    // Per row of the outline, the smallest |dx|: the interior lies strictly inside it.
    std::vector<int> innerEdge(static_cast<std::size_t>(2 * radius + 1), radius + 1);
    for (const auto& [dx, dy] : outline) {
        const Int64 px = Int64(cx) + dx;
        const Int64 py = Int64(cy) + dy;
        cover.addRect(px + s0, py + s0, px + s1, py + s1);
        int& edge = innerEdge[static_cast<std::size_t>(dy + radius)];
        edge = std::min(edge, std::abs(dx));
    }
    cover.resolve();

    const std::uint32_t brush = toPixel(m_fillColor);
    Rect touched;
    for (Int64 py = cover.top(); py <= cover.bottom(); ++py)
        for (Int64 px = cover.left(); px <= cover.right(); ++px) {
            std::uint32_t& p = m_pixels[static_cast<std::size_t>(py * m_width + px)];
            if (cover.covered(px, py)) {
                p = applyMode(m_drawMode, pen, p);
            } else if (filled) {
                const Int64 dy = py - cy;
                const Int64 dx = absolute(px - cx);
                if (dy < -radius || dy > radius ||
                    dx >= innerEdge[static_cast<std::size_t>(dy + radius)])
                    continue;
                p = applyMode(m_drawMode, brush, p);
            } else {
                continue;
            }
            touched.unite(Rect{int(px), int(py), int(px) + 1, int(py) + 1});
        }
    markDirty(touched.left, touched.top, touched.right, touched.bottom);
}

void Surface::box(int x1, int y1, int x2, int y2) {
    const Int64 left = std::max<Int64>(0, std::min(x1, x2));
    const Int64 right = std::min<Int64>(m_width - 1, std::max(x1, x2));
    const Int64 top = std::max<Int64>(0, std::min(y1, y2));
    const Int64 bottom = std::min<Int64>(m_height - 1, std::max(y1, y2));
    m_currentX = x2;
    m_currentY = y2;
    if (left > right || top > bottom)
        return;
    const std::uint32_t brush = toPixel(m_fillColor);
    for (Int64 y = top; y <= bottom; ++y) {
        std::uint32_t* row = m_pixels.data() + y * m_width;
        for (Int64 x = left; x <= right; ++x)
            row[x] = applyMode(m_drawMode, brush, row[x]);
    }
    markDirty(int(left), int(top), int(right) + 1, int(bottom) + 1);
}

void Surface::print(std::string_view text) {
    int lineHeight = kDefaultLineHeight;
    if (m_textPainter) {
        const int x = textCoordinate(m_currentX);
        const int y = textCoordinate(m_currentY);
        lineHeight = std::max(0, m_textPainter(*this, x, y, text, m_foreColor));
    }
    m_currentY += lineHeight;
}

void Surface::stretchDib(int dstX, int dstY, int dstWidth, int dstHeight, const std::uint8_t* bits,
                         int bmpWidth, int bmpHeight, int srcX, int srcY) {
    if (!bits || bmpWidth <= 0 || bmpHeight == 0 || dstWidth == 0 || dstHeight == 0)
        return;
    const Int64 imgW = bmpWidth;
    const Int64 imgH = absolute(bmpHeight);
    const Int64 stride = (imgW * 3 + 3) & ~Int64(3);
    const Int64 dirX = dstWidth < 0 ? -1 : 1;
    const Int64 dirY = dstHeight < 0 ? -1 : 1;

    // i runs over [0, |dstWidth|) with source column srcX + i inside the image and destination
    // column dstX + dirX * i inside the surface; the same for rows.
    auto span = [](Int64 count, Int64 src, Int64 srcSize, Int64 dst, Int64 dir, Int64 dstSize,
                   Int64& from, Int64& to) {
        from = std::max<Int64>(0, -src);
        to = std::min(count, srcSize - src) - 1;
        if (dir > 0) {
            from = std::max(from, -dst);
            to = std::min(to, dstSize - 1 - dst);
        } else {
            from = std::max(from, dst - (dstSize - 1));
            to = std::min(to, dst);
        }
    };
    Int64 i0, i1, j0, j1;
    span(absolute(dstWidth), srcX, imgW, dstX, dirX, m_width, i0, i1);
    span(absolute(dstHeight), srcY, imgH, dstY, dirY, m_height, j0, j1);
    if (i0 > i1 || j0 > j1)
        return;

    // Image row srcY + j lies at memory row imgH - 1 - (srcY + j) of a bottom-up image.
    const Int64 firstRow = bmpHeight > 0 ? imgH - 1 - (srcY + j0) : srcY + j0;
    convertRows(RowRun{bits + firstRow * stride + (srcX + i0) * 3, bmpHeight > 0 ? -stride : stride,
                       m_pixels.data() + (dstY + dirY * j0) * m_width + dstX + dirX * i0,
                       dirY * m_width, j1 - j0 + 1, i1 - i0 + 1, dirX < 0});
    const Int64 xa = dstX + dirX * i0;
    const Int64 xb = dstX + dirX * i1;
    const Int64 ya = dstY + dirY * j0;
    const Int64 yb = dstY + dirY * j1;
    markDirty(int(std::min(xa, xb)), int(std::min(ya, yb)), int(std::max(xa, xb)) + 1,
              int(std::max(ya, yb)) + 1);
}

void Surface::drawEdgeSunkenInner(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    // Classic 3-D colours: dark shadow along the top and left, light along the bottom and right.
    // The light lines are drawn last, so they own the top-right and bottom-left corners.
    constexpr ColorRef kDarkShadow = RGB(64, 64, 64);
    constexpr ColorRef kLight = RGB(212, 208, 200);
    const Int64 l = left;
    const Int64 t = top;
    const Int64 r = Int64(right) - 1;
    const Int64 b = Int64(bottom) - 1;
    // Each pixel is written once with its final colour. The stores are unconditional: the
    // frame follows a render that has just brought its rows into the cache, and a read and
    // compare before each store costs more than the store.
    auto put = [this](Int64 x, Int64 y, std::uint32_t px) {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        m_pixels[static_cast<std::size_t>(y * m_width + x)] = px;
    };
    auto row = [&](Int64 y, Int64 x0, Int64 x1, std::uint32_t px) {
        if (y < 0 || y >= m_height)
            return;
        const Int64 from = std::max<Int64>(x0, 0);
        const Int64 to = std::min<Int64>(x1, m_width - 1);
        if (from <= to)
            std::fill_n(m_pixels.data() + y * m_width + from, to - from + 1, px);
    };
    const std::uint32_t dark = toPixel(kDarkShadow);
    const std::uint32_t light = toPixel(kLight);
    if (b == t) {
        row(t, l, r, light); // a one-row rectangle shows only its bottom edge
        markDirty(left, top, right, bottom);
        return;
    }
    row(t, l, r - 1, dark);
    put(r, t, light);
    const Int64 y0 = std::max<Int64>(t + 1, 0);
    const Int64 y1 = std::min<Int64>(b - 1, m_height - 1);
    // Both sides in one pass down the rows: each row's two pixels are usually one cache line
    // apart, and the frames are tall.
    const bool leftOn = l >= 0 && l < m_width;
    const bool rightOn = r >= 0 && r < m_width;
    for (Int64 y = y0; y <= y1; ++y) {
        std::uint32_t* rowPixels = m_pixels.data() + y * m_width;
        if (leftOn)
            rowPixels[l] = dark;
        if (rightOn)
            rowPixels[r] = light;
    }
    row(b, l, r, light);
    markDirty(left, top, right, bottom);
}

} // namespace tintaro
