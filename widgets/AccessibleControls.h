// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <functional>

class QWidget;

namespace tintaro {

// Lets a control that only answers mouse clicks (a picture used as a button, a label used as a
// link) be reached with Tab and used with Space or Enter, and presents it to screen readers in
// `role` with a press action that does the same. Keys act, and a focus mark is drawn around it,
// only while the keyboard brought the focus there: the window's activation focuses it too, and
// then it looks as designed and a stray Enter does nothing. The caller gives the control its
// focus policy (Qt::TabFocus): a text label that can take the focus builds a text-editing engine
// for its caption when it is shown, which a window may rather defer until Tab is first pressed.
void makeActivatable(QWidget* control, QAccessible::Role role, std::function<void()> activate);

// Presents a top-level window to screen readers as a window (a plain widget would be a nameless
// filler), named by its accessible name, else its caption, else (as the title bar of an untitled
// window reads) the application's name.
void exposeAsWindow(QWidget* window);

// Presents a panel drawn by hand to screen readers as a group of controls, as the toolkit's
// group box is, named by its accessible name, else its window title (the panel's caption).
void exposeAsGroup(QWidget* group);

} // namespace tintaro
