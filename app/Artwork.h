#pragma once

#include "app/EmbeddedImage.h"

namespace tintaro::artwork {

// The main window's 96 x 96 picture, compiled from artwork/zelkor.png.
extern const EmbeddedImage zelkor;

} // namespace tintaro::artwork
