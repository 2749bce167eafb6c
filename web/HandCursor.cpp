// SPDX-License-Identifier: MIT
#include "HandCursor.h"

#include <QBitmap>
#include <QImage>
#include <array>

namespace tintaro {

namespace {

// '#' black, '.' white, ' ' transparent; the rows below these are transparent. Row 1, column
// 6 is the fingertip.
constexpr std::array<const char*, 23> kHand = {
    "                                ", //
    "      ##                        ", //
    "     #..#                       ", //
    "     #..#                       ", //
    "     #..#                       ", //
    "     #..#                       ", //
    "     #..###                     ", //
    "     #..#..##                   ", //
    "     #..#..#.##                 ", //
    "     #..#..#..#.#               ", //
    " ##  #..#..#..#..#              ", //
    "#..# #.........#.#              ", //
    "#...##...........#              ", //
    " #...#...........#              ", //
    "  #..#...........#              ", //
    "  #..............#              ", //
    "   #.............#              ", //
    "   #............#               ", //
    "    #...........#               ", //
    "    #..........#                ", //
    "     #.........#                ", //
    "     #.........#                ", //
    "     ###########                ", //
};

QBitmap bitmapOf(bool (*set)(char)) {
    QImage image(32, 32, QImage::Format_MonoLSB);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    for (int y = 0; y < int(kHand.size()); ++y)
        for (int x = 0; x < 32; ++x)
            if (set(kHand[y][x]))
                image.setPixel(x, y, 1);
    return QBitmap::fromImage(image);
}

} // namespace

QCursor handCursor() {
    const QBitmap bits = bitmapOf([](char c) { return c == '#'; });
    const QBitmap mask = bitmapOf([](char c) { return c != ' '; });
    return QCursor(bits, mask, 6, 1);
}

} // namespace tintaro
