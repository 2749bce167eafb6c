// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>

namespace tintaro {

// The colours of a window drawn as a fixed light design (its own background colour, panels and
// pictures, dark text on them): the style's standard light palette with black text on white
// fields and `window` behind. Every role is set, so a dark desktop colour scheme, applied at
// start or later, cannot put light text on the fixed light panels.
QPalette lightPalette(const QColor& window);

} // namespace tintaro
