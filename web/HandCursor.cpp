// SPDX-License-Identifier: MIT
#include "HandCursor.h"

#include <QBitmap>
#include <QImage>

namespace tintaro {

namespace {

// The hand in XPM; the rows below these are transparent.
const char* const kHand[] = {
    "32 23 3 1",
    "# c #000000",
    ". c #FFFFFF",
    "  c None",
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

} // namespace

QCursor handCursor() {
    const QImage hand = QImage(kHand).convertToFormat(QImage::Format_ARGB32).copy(0, 0, 32, 32);
    // A mask image is black where it masks out, and a bitmap's black is a set bit: the bitmap is
    // set where the hand is black, the mask wherever it is drawn.
    return QCursor(QBitmap::fromImage(hand.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor)),
                   QBitmap::fromImage(hand.createAlphaMask()), 6, 1);
}

} // namespace tintaro
