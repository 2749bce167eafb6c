// SPDX-License-Identifier: MIT
#include "OnTop.h"

#include <QWidget>

namespace tintaro {

void SetOnTop(QWidget* window, const std::int16_t& flag) {
    if (!window)
        return;

    const bool keepOnTop = flag == -1;
    if (window->isWindow() && (flag == -1 || flag == 0) &&
        window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != keepOnTop) {
        // Changing the flags re-creates the window hidden; the show below brings it back. A
        // shown window keeps its place by itself, a hidden one that was placed needs its
        // geometry restored, or it would shift by its frame.
        const bool placedButHidden = !window->isVisible() && window->testAttribute(Qt::WA_Moved);
        const QRect geometry = window->geometry();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, keepOnTop);
        if (placedButHidden)
            window->setGeometry(geometry);
    }

    const bool wasShown = window->isVisible();
    const bool hadNoActivate = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_ShowWithoutActivating, true);
    window->show();
    window->setAttribute(Qt::WA_ShowWithoutActivating, hadNoActivate);
    // A window that has just been shown is already at the top of its group.
    if (wasShown)
        window->raise();
}

} // namespace tintaro
