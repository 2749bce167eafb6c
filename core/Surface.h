#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace tintaro {

// A colour value in the Windows COLORREF layout: red in the low byte, then green, then blue.
using ColorRef = std::int32_t;

// Composes a colour value from components 0..255.
constexpr ColorRef RGB(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// A pixel rectangle; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    void unite(const Rect& other);
    bool operator==(const Rect&) const = default;
};

// Draw modes of the window runtime.
inline constexpr int kDrawModeInvert = 6;
inline constexpr int kDrawModeCopyPen = 13;
// Fill styles.
inline constexpr int kFillSolid = 0;
inline constexpr int kFillTransparent = 1;

// The persistent drawing surface of a window's client area: 32-bit pixels that stay until drawn
// over and can be read back. Qt-free; a widget presents the same memory without copying.
//
// Every figure clips at the surface's edges. In invert mode each covered pixel is inverted exactly
// once per figure, so drawing the same figure twice restores every pixel.
class Surface {
public:
    // Draws `text` (UTF-8) with its top-left corner at (x, y) in `colour` and returns the height
    // of one line of the window's font. Supplied by the toolkit layer; without one, printing only
    // moves the text position.
    using TextPainter =
        std::function<int(Surface& surface, int x, int y, std::string_view text, ColorRef colour)>;

    // A surface of width x height pixels, filled with `background`.
    Surface(int width, int height, ColorRef background);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Pixels as 0xFFRRGGBB, rows top to bottom, `width()` pixels a row (QImage::Format_RGB32).
    std::uint32_t* pixels() { return m_pixels.data(); }
    const std::uint32_t* pixels() const { return m_pixels.data(); }

    // Point-read: the colour value at (x, y); -1 for a point outside the surface.
    ColorRef point(int x, int y) const;
    // Sets one pixel regardless of draw mode (used to paint pictures into the surface).
    void setPixel(int x, int y, ColorRef colour);

    // Drawing state.
    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef colour) { m_backColor = colour; }
    ColorRef foreColor() const { return m_foreColor; }
    void setForeColor(ColorRef colour) { m_foreColor = colour; }
    ColorRef fillColor() const { return m_fillColor; }
    void setFillColor(ColorRef colour) { m_fillColor = colour; }
    int fillStyle() const { return m_fillStyle; }
    void setFillStyle(int style) { m_fillStyle = style; }
    int drawMode() const { return m_drawMode; }
    void setDrawMode(int mode) { m_drawMode = mode; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width) { m_drawWidth = width < 1 ? 1 : width; }
    // Kept as the window's state; every line is drawn solid, the only style the program sets.
    int drawStyle() const { return m_drawStyle; }
    void setDrawStyle(int style) { m_drawStyle = style; }
    double currentX() const { return m_currentX; }
    void setCurrentX(double x) { m_currentX = x; }
    double currentY() const { return m_currentY; }
    void setCurrentY(double y) { m_currentY = y; }

    // The window's own figures, drawn with the fore colour, draw width and draw mode. As in the
    // window runtime, each leaves the text position at its end point (the circle: its centre).
    // A line from (x1, y1) to (x2, y2); the end point is not painted.
    void line(int x1, int y1, int x2, int y2);
    // A circle outline of `radius` about (cx, cy); the centre pixel is not part of it. Filled with
    // the fill colour when the fill style is solid.
    void circle(int cx, int cy, int radius);
    // A box with both corners included, filled with the fill colour.
    void box(int x1, int y1, int x2, int y2);
    // Prints one line of text at the text position in the fore colour and moves the position
    // down one line (x stays).
    void print(std::string_view text);
    void setTextPainter(TextPainter painter) { m_textPainter = std::move(painter); }

    // Device-context pen: MoveToEx / LineTo. LineTo does not paint its end point.
    void moveTo(int x, int y) {
        m_penX = x;
        m_penY = y;
    }
    [[gnu::always_inline]] void lineTo(int x, int y) {
        const int x1 = m_penX;
        const int y1 = m_penY;
        m_penX = x;
        m_penY = y;
        // The sliders draw 256 horizontal one-pixel lines on every marker move; those are plain
        // runs of one row and stay inline, where a call would cost more than the run itself.
        if (y1 == y && m_drawWidth == 1 && m_drawMode == kDrawModeCopyPen)
            copyRun(x1, x, y);
        else
            lineToGeneral(x1, y1, x, y);
    }
    // A run of horizontal lines, one a row from yFirst down: exactly the pixels, dirty rectangle
    // and state of, for each i, setForeColor(colours[i]); moveTo(x1, y); lineTo(x2, y) with
    // y = yFirst + i (rows past INT_MAX stay at INT_MAX). Afterwards the fore colour is the last
    // colour and the pen at the last line's end; nothing changes for an empty span. One-pixel
    // copy-pen runs are clipped and marked dirty once for all lines, which is what makes a
    // slider of 256 lines cheap; other modes and widths draw line by line.
    void horizontalLines(int x1, int x2, int yFirst, std::span<const ColorRef> colours);

    // Transfers a 24-bit DIB (blue, green, red bytes; rows padded to 4 bytes; bottom-up: the
    // first row in `bits` is the bottom row of the image) of bmpWidth x bmpHeight pixels.
    // Source rectangle (srcX, srcY, |dstWidth|, |dstHeight|) in image coordinates (y down).
    // A negative destination width or height mirrors the image: destination column dstX - i
    // (row dstY - j) shows source column srcX + i (row srcY + j). Sizes never scale.
    // Copies pixels, whatever the draw mode (SRCCOPY).
    void stretchDib(int dstX, int dstY, int dstWidth, int dstHeight, const std::uint8_t* bits,
                    int bmpWidth, int bmpHeight, int srcX, int srcY);

    // DrawEdge(BDR_SUNKENINNER, BF_RECT) on the rectangle (left, top, right, bottom): a
    // one-pixel line just inside it, dark along the top and left, light along the bottom and
    // right.
    void drawEdgeSunkenInner(int left, int top, int right, int bottom);

    // What has changed since the last take, for presenting only that part.
    Rect dirtyRect() const { return m_dirty; }
    Rect takeDirty();
    // Marks a rectangle as changed by a writer outside this class (text drawn by the toolkit).
    void invalidate(const Rect& rect);

private:
    // The copy-pen pixels of the one-pixel line from (from, y) to (to, y), its end point left
    // out: the same pixels and dirty rectangle as the general line, without its per-point work.
    [[gnu::always_inline]] void copyRun(int from, int to, int y) {
        if (y < 0 || y >= m_height || from == to)
            return;
        const std::int64_t a = std::max<std::int64_t>(from < to ? from : std::int64_t(to) + 1, 0);
        const std::int64_t b =
            std::min<std::int64_t>(from < to ? std::int64_t(to) - 1 : from, m_width - 1);
        if (a > b)
            return;
        const auto c = static_cast<std::uint32_t>(m_foreColor);
        const std::uint32_t px =
            0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
        std::uint32_t* const run = m_pixels.data() + y * std::int64_t(m_width) + a;
        const std::int64_t n = b - a + 1;
        if (n >= 4) {
            // Four pixels a store (the compiler joins each group of four), the last group
            // overlapping the one before. Plain pixel stores rather than byte copies, so that
            // the compiler knows they leave the surface's pointers in place.
            auto four = [px](std::uint32_t* p) {
                p[0] = px;
                p[1] = px;
                p[2] = px;
                p[3] = px;
            };
            std::int64_t k = 0;
            for (; k + 4 <= n; k += 4)
                four(run + k);
            if (k < n)
                four(run + n - 4);
        } else {
            for (std::int64_t k = 0; k < n; ++k)
                run[k] = px;
        }
        // The union of the dirty rectangle with the run; each edge is stored only when it moves,
        // as a run of lines usually moves one edge at a time.
        const Rect done{static_cast<int>(a), y, static_cast<int>(b) + 1, y + 1};
        if (m_dirty.isEmpty()) {
            m_dirty = done;
            return;
        }
        if (done.left < m_dirty.left)
            m_dirty.left = done.left;
        if (done.top < m_dirty.top)
            m_dirty.top = done.top;
        if (done.right > m_dirty.right)
            m_dirty.right = done.right;
        if (done.bottom > m_dirty.bottom)
            m_dirty.bottom = done.bottom;
    }
    void plot(int x, int y);
    void lineToGeneral(int x1, int y1, int x2, int y2);
    void markDirty(int left, int top, int right, int bottom);
    // The points of a circle's outline around its centre, each once; kept for the last radius
    // asked for (the picker's marker always has the same one).
    const std::vector<std::pair<int, int>>& circleOutline(int radius);

    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
    ColorRef m_backColor;
    ColorRef m_foreColor = 0;
    ColorRef m_fillColor = 0;
    int m_fillStyle = kFillTransparent;
    int m_drawMode = kDrawModeCopyPen;
    int m_drawWidth = 1;
    int m_drawStyle = 0;
    double m_currentX = 0;
    double m_currentY = 0;
    int m_penX = 0;
    int m_penY = 0;
    TextPainter m_textPainter;
    Rect m_dirty;
    int m_outlineRadius = 0;
    std::vector<std::pair<int, int>> m_outline;
};

} // namespace tintaro
