// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>

namespace tintaro {

// The pointing-hand cursor of the vote link: 32 x 32, monochrome (black outline, white palm,
// the rest transparent), hotspot at the tip of the index finger.
QCursor handCursor();

} // namespace tintaro
