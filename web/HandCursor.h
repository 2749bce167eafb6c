#pragma once

#include <QCursor>
#include <QPoint>

namespace tintaro {

// The pointing-hand cursor of the vote link: 32 x 32, monochrome (black outline, white palm,
// the rest transparent), hotspot at the tip of the index finger.
QCursor handCursor();

// The hotspot of handCursor(), in cursor pixels from its top-left corner.
inline constexpr QPoint kHandCursorHotSpot{6, 1};

} // namespace tintaro
