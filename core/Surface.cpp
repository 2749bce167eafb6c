// SPDX-License-Identifier: MIT
#include "Surface.h"

#include <algorithm>
#include <utility>

namespace tintaro {

namespace {

using Int64 = std::int64_t;

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

} // namespace

Surface::Surface(int width, int height, ColorRef background)
    : m_width(std::max(0, width))
    , m_height(std::max(0, height))
    , m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
               toPixel(background))
    , m_backColor(background) {}

ColorRef Surface::point(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    const std::uint32_t p = m_pixels[static_cast<std::size_t>(y) * m_width + x];
    return static_cast<ColorRef>(((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16));
}

void Surface::setPixel(int x, int y, ColorRef colour) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = toPixel(colour);
    markDirty(x, y, x, y);
}

void Surface::markDirty(Int64 left, Int64 top, Int64 right, Int64 bottom) {
    const Rect changed{static_cast<int>(std::max<Int64>(0, left)),
                       static_cast<int>(std::max<Int64>(0, top)),
                       static_cast<int>(std::min<Int64>(m_width, right + 1)),
                       static_cast<int>(std::min<Int64>(m_height, bottom + 1))};
    if (changed.isEmpty())
        return;
    if (m_dirty.isEmpty())
        m_dirty = changed;
    else
        m_dirty = {std::min(m_dirty.left, changed.left), std::min(m_dirty.top, changed.top),
                   std::max(m_dirty.right, changed.right),
                   std::max(m_dirty.bottom, changed.bottom)};
}

Rect Surface::takeDirty() {
    return std::exchange(m_dirty, Rect{});
}

void Surface::invalidate(const Rect& rect) {
    markDirty(rect.left, rect.top, Int64(rect.right) - 1, Int64(rect.bottom) - 1);
}

void Surface::paintRect(Int64 left, Int64 top, Int64 right, Int64 bottom, std::uint32_t pixel) {
    left = std::max<Int64>(left, 0);
    top = std::max<Int64>(top, 0);
    right = std::min<Int64>(right, m_width - 1);
    bottom = std::min<Int64>(bottom, m_height - 1);
    if (left > right || top > bottom)
        return;
    const bool invert = m_drawMode == kDrawModeInvert;
    for (Int64 y = top; y <= bottom; ++y) {
        std::uint32_t* row = m_pixels.data() + y * m_width;
        for (Int64 x = left; x <= right; ++x)
            row[x] = invert ? row[x] ^ 0x00FFFFFFu : pixel;
    }
    markDirty(left, top, right, bottom);
}

void Surface::horizontalLine(int x1, int x2, int y) {
    if (x1 == x2)
        return;
    const Int64 first = x1 < x2 ? x1 : Int64(x2) + 1;
    const Int64 last = x1 < x2 ? Int64(x2) - 1 : x1;
    // The pen's square covers -(width / 2) .. width - 1 - width / 2 about each point.
    const Int64 s0 = -(m_drawWidth / 2);
    const Int64 s1 = s0 + m_drawWidth - 1;
    paintRect(first + s0, y + s0, last + s1, y + s1, toPixel(m_foreColor));
}

void Surface::circle(int cx, int cy, int radius) {
    if (radius < 1)
        return;
    const std::uint32_t pen = toPixel(m_foreColor);
    const bool invert = m_drawMode == kDrawModeInvert;
    Int64 left = m_width, top = m_height, right = -1, bottom = -1;
    for (const auto& [dx, dy] : midpointCircle(radius)) {
        const Int64 x = Int64(cx) + dx;
        const Int64 y = Int64(cy) + dy;
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            continue;
        std::uint32_t& p = m_pixels[static_cast<std::size_t>(y * m_width + x)];
        p = invert ? p ^ 0x00FFFFFFu : pen;
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    }
    if (left <= right)
        markDirty(left, top, right, bottom);
}

void Surface::box(int x1, int y1, int x2, int y2) {
    paintRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
              toPixel(m_fillColor));
}

void Surface::print(std::string_view text) {
    // Without a toolkit painter a line is 13 pixels high.
    m_currentY += m_textPainter
                      ? std::max(0, m_textPainter(*this, m_currentX, m_currentY, text, m_foreColor))
                      : 13;
}

void Surface::fillRows(int left, int right, int top, std::span<const std::uint32_t> pixels) {
    const Int64 from = std::max(left, 0);
    const Int64 to = std::min(right, m_width); // exclusive
    const Int64 iFrom = std::max<Int64>(0, -Int64(top));
    const Int64 iTo = std::min<Int64>(Int64(pixels.size()), Int64(m_height) - top); // exclusive
    if (from >= to || iFrom >= iTo)
        return;
    // Locals rather than members in the loop: stores to pixels could alias the surface's own
    // fields, which would make the compiler reload them every row.
    std::uint32_t* run = m_pixels.data() + (top + iFrom) * m_width + from;
    const Int64 n = to - from;
    const Int64 stride = m_width;
    for (Int64 i = iFrom; i < iTo; ++i, run += stride) {
        const std::uint32_t pixel = pixels[static_cast<std::size_t>(i)];
        // Four pixels a group, the last group overlapping the one before: a slider's row of
        // 15 pixels takes four stores.
        if (n < 4) {
            for (Int64 k = 0; k < n; ++k)
                run[k] = pixel;
            continue;
        }
        for (Int64 k = 0; k + 4 <= n; k += 4)
            for (int j = 0; j < 4; ++j)
                run[k + j] = pixel;
        for (int j = 0; j < 4; ++j)
            run[n - 4 + j] = pixel;
    }
    markDirty(from, top + iFrom, to - 1, top + iTo - 1);
}

void Surface::copyRow(int left, int y, std::span<const std::uint32_t> pixels) {
    const Int64 from = std::max(left, 0);
    const Int64 to = std::min<Int64>(left + Int64(pixels.size()), m_width); // exclusive
    if (y < 0 || y >= m_height || from >= to)
        return;
    std::copy(pixels.data() + (from - left), pixels.data() + (to - left),
              m_pixels.data() + Int64(y) * m_width + from);
    markDirty(from, y, to - 1, y);
}

void Surface::drawEdgeSunkenInner(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    // Classic 3-D colours: dark shadow along the top and left, light along the bottom and right.
    // The light lines are drawn last, so they own the top-right and bottom-left corners.
    const std::uint32_t dark = toPixel(RGB(64, 64, 64));
    const std::uint32_t light = toPixel(RGB(212, 208, 200));
    const Int64 r = Int64(right) - 1;
    const Int64 b = Int64(bottom) - 1;
    auto row = [this](Int64 y, Int64 from, Int64 to, std::uint32_t pixel) {
        from = std::max<Int64>(from, 0);
        to = std::min<Int64>(to, m_width - 1);
        if (y >= 0 && y < m_height && from <= to)
            std::fill(m_pixels.data() + y * m_width + from, m_pixels.data() + y * m_width + to + 1,
                      pixel);
    };
    if (b > top) {
        row(top, left, r - 1, dark);
        row(top, r, r, light);
        // Both sides in one pass down the rows, through locals: stores to pixels could alias the
        // surface's own fields, which the compiler would then reload every row.
        const bool leftOn = left >= 0 && left < m_width;
        const bool rightOn = r >= 0 && r < m_width;
        const Int64 stride = m_width;
        const Int64 from = std::max<Int64>(top + 1, 0);
        const Int64 to = std::min<Int64>(b - 1, m_height - 1);
        std::uint32_t* rowStart = m_pixels.data() + from * stride;
        for (Int64 y = from; y <= to; ++y, rowStart += stride) {
            if (leftOn)
                rowStart[left] = dark;
            if (rightOn)
                rowStart[r] = light;
        }
    }
    row(b, left, r, light);
    markDirty(left, top, r, b);
}

} // namespace tintaro
