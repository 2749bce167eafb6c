// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace tintaro {

// Makes a top-level window one the user cannot resize: a fixed client size and no maximize
// (or full-screen) button. Many window managers drop that button for a window whose minimum
// and maximum sizes agree; others (IceWM, for one) keep it unless the window asks for none.
// Minimize and close stay.
void setFixedWindowSize(QWidget* window, int width, int height);

} // namespace tintaro
