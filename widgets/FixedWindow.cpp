// SPDX-License-Identifier: MIT
#include "FixedWindow.h"

#include <QWidget>

namespace tintaro {

void setFixedWindowSize(QWidget* window, int width, int height) {
    window->setFixedSize(width, height);
    // The buttons are named one by one: a window that names none gets every default button,
    // maximize included.
    window->setWindowFlags(
        (window->windowFlags() & ~(Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint)) |
        Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
        Qt::WindowCloseButtonHint);
}

} // namespace tintaro
