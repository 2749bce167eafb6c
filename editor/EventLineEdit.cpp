// SPDX-License-Identifier: MIT
#include "EventLineEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace tintaro {

EventLineEdit::EventLineEdit(QWidget* parent)
    : QLineEdit(parent) {
    setFrame(false);
    // QLineEdit fills its inside and the border covers the rest: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EventLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && !m_pressedKeys.contains(event->key()))
        m_pressedKeys.append(event->key());
    QLineEdit::keyPressEvent(event);
}

void EventLineEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    // A release whose press went elsewhere (the Enter that dismissed a message box) is not a
    // key typed here; reporting it would show the same message again, forever.
    if (!m_pressedKeys.removeOne(event->key()))
        return;
    Q_EMIT keyUp(event->key(), event->modifiers());
}

void EventLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_pressedKeys.clear();
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    Q_EMIT lostFocus();
}

void EventLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // The sunken border: dark above and left, white below and right.
    QPainter painter(this);
    const int w = width(), h = height();
    const QColor shadow(0x80, 0x80, 0x80);
    painter.fillRect(0, 0, w, 1, shadow);
    painter.fillRect(0, 1, 1, h - 1, shadow);
    painter.fillRect(1, h - 1, w - 1, 1, Qt::white);
    painter.fillRect(w - 1, 1, 1, h - 2, Qt::white);
}

} // namespace tintaro
