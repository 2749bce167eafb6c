// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace tintaro {

// A colour value in the Windows COLORREF layout: red in the low byte, then green, then blue.
using ColorRef = std::int32_t;

// Composes a colour value from components 0..255.
constexpr ColorRef RGB(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// A colour value as a surface pixel, 0xFFRRGGBB.
constexpr std::uint32_t toPixel(ColorRef colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// A pixel rectangle; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

// The two draw modes the windows use: the pen replaces a pixel, or the pixel is inverted.
inline constexpr int kDrawModeInvert = 6;
inline constexpr int kDrawModeCopyPen = 13;

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
    // Sets one pixel regardless of draw mode.
    void setPixel(int x, int y, ColorRef colour);

    ColorRef backColor() const { return m_backColor; }
    void setForeColor(ColorRef colour) { m_foreColor = colour; }
    void setFillColor(ColorRef colour) { m_fillColor = colour; }
    // Copy pen, or invert; any other mode draws as copy pen.
    void setDrawMode(int mode) { m_drawMode = mode; }
    void setDrawWidth(int width) { m_drawWidth = width < 1 ? 1 : width; }
    void setCurrentX(int x) { m_currentX = x; }
    void setCurrentY(int y) { m_currentY = y; }

    // The window's figures, in the draw mode.
    // A horizontal line on row y from x1 towards x2, the end point left out, in the fore colour:
    // a square pen of the draw width about each point, so a wide line is a rectangle.
    void horizontalLine(int x1, int x2, int y);
    // A one-pixel circle outline of `radius` about (cx, cy) in the fore colour; the centre is
    // not part of it.
    void circle(int cx, int cy, int radius);
    // A box with both corners included, filled with the fill colour.
    void box(int x1, int y1, int x2, int y2);
    // Prints one line of text at the text position in the fore colour and moves the position
    // down one line (x stays).
    void print(std::string_view text);
    void setTextPainter(TextPainter painter) { m_textPainter = std::move(painter); }

    // Pictures (pixels 0xFFRRGGBB), copied whatever the draw mode. Row top + i, columns left ..
    // right - 1, in pixels[i].
    void fillRows(int left, int right, int top, std::span<const std::uint32_t> pixels);
    // One row of a picture on row y from column `left` on.
    void copyRow(int left, int y, std::span<const std::uint32_t> pixels);

    // A sunken inner edge on the rectangle (left, top, right, bottom): a one-pixel line just
    // inside it, dark along the top and left, light along the bottom and right.
    void drawEdgeSunkenInner(int left, int top, int right, int bottom);

    // What has changed since the last take, for presenting only that part.
    Rect takeDirty();
    // Marks a rectangle as changed by a writer outside this class (text drawn by the toolkit).
    void invalidate(const Rect& rect);

private:
    // Paints the rectangle [left, right] x [top, bottom] (clipped) with `pixel` in the draw mode.
    void paintRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   std::uint32_t pixel);
    void markDirty(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);

    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
    ColorRef m_backColor;
    ColorRef m_foreColor = 0;
    ColorRef m_fillColor = 0;
    int m_drawMode = kDrawModeCopyPen;
    int m_drawWidth = 1;
    int m_currentX = 0;
    int m_currentY = 0;
    TextPainter m_textPainter;
    Rect m_dirty;
};

} // namespace tintaro
