#pragma once

#include "EmbeddedImage.h"

namespace tintaro::artwork {

// The main window's 96 x 96 picture, compiled from artwork/zelkor.png.
extern const EmbeddedImage zelkor;

// The program's icon at the sizes title bars and task bars draw, compiled from
// resources/icons/png/tintaro-<size>.png (the installed icons).
extern const EmbeddedImage icon16;
extern const EmbeddedImage icon32;
extern const EmbeddedImage icon48;

} // namespace tintaro::artwork
