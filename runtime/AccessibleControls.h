#pragma once

#include <QAccessible>
#include <functional>

class QWidget;

namespace tintaro {

// Lets a control that only answers mouse clicks (a picture used as a button, a label used as a
// link) be reached with Tab and used with Space or Enter, and presents it to screen readers in
// `role` with a press action that does the same. Keys act, and a focus mark is drawn around it,
// only while the keyboard brought the focus there: the window's activation focuses it too, and
// then it looks as designed and a stray Enter does nothing.
void makeActivatable(QWidget* control, QAccessible::Role role, std::function<void()> activate);

// Presents a top-level window to screen readers as a window (a plain widget would be a nameless
// filler), named by its accessible name or else its caption.
void exposeAsWindow(QWidget* window);

} // namespace tintaro
