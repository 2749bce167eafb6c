// SPDX-License-Identifier: MIT
#pragma once

#include "Surface.h"

#include <QLabel>

namespace tintaro {

// A label or picture that reports clicks and pointer movement over it, as the editor's
// swatches, apply button and footer image need.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    // Left button pressed and released over the label.
    void clicked();
    // The pointer moved over the label, with or without a button held.
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

// A colour swatch showing a COLORREF value. Set on every drag step, it only stores the value and
// repaints on a change (no palette or style work). Screen readers hear the colour described.
class SwatchLabel : public ClickLabel {
    Q_OBJECT

public:
    explicit SwatchLabel(QWidget* parent = nullptr);

    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef m_backColor = -1; // none until the constructor sets black
};

} // namespace tintaro
