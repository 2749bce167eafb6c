// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class QWidget;

namespace tintaro {

// Keeps `window` above all other windows or ends that, and shows it, never activating, moving
// or resizing it. `flag` is a 16-bit boolean:
//   -1     the window stays on top of all others;
//    0     the window no longer stays on top;
//   other  the window is raised within its group; whether it stays on top is not changed.
// A null window is ignored.
void SetOnTop(QWidget* window, const std::int16_t& flag);

} // namespace tintaro
