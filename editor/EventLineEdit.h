// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QList>

namespace tintaro {

// A text box that reports what QLineEdit has no signal for: the release of a key and the focus
// leaving for another control of the program. Its one-pixel sunken border keeps the classic look
// and spares repainting a styled frame whenever a drag rewrites the field.
class EventLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit EventLineEdit(QWidget* parent = nullptr);

Q_SIGNALS:
    // A key whose press this field received has been released (auto-repeat releases excluded).
    void keyUp(int key, Qt::KeyboardModifiers modifiers);
    // The focus moved to another control; not sent when another window (a message box) takes it.
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_pressedKeys;
};

} // namespace tintaro
