// SPDX-License-Identifier: MIT
#pragma once

namespace tintaro {

// What the desktop knows the program by: its name, the desktop entry its windows belong to
// (task bars group them under it; on Wayland it is the windows' app id) and the icon of every
// window without one of its own. Called once, right after the application object is made.
void setUpApplication();

} // namespace tintaro
