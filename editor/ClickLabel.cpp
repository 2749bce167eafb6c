// SPDX-License-Identifier: MIT
#include "ClickLabel.h"

#include <QMouseEvent>

namespace tintaro {

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent) {
    // Movement is reported without a button held too (the apply button's hover look).
    setMouseTracking(true);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    Q_EMIT mouseMoved(event->buttons(), event->position());
}

} // namespace tintaro
