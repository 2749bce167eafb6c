#include "editor/EventLineEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace tintaro {

EventLineEdit::EventLineEdit(QWidget* parent)
    : QLineEdit(parent) {}

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

} // namespace tintaro
