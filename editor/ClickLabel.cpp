// SPDX-License-Identifier: MIT
#include "ClickLabel.h"

#include "SurfaceWidget.h"

#include <QMouseEvent>
#include <QPainter>

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
    Q_EMIT mouseMoved();
}

SwatchLabel::SwatchLabel(QWidget* parent)
    : ClickLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackColor(0);
}

void SwatchLabel::setBackColor(ColorRef colour) {
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    // The colour in words, for screen readers: a swatch is otherwise silent about what it shows.
    const QColor c = toQColor(colour);
    setAccessibleDescription(
        QStringLiteral("Rojo %1, verde %2, azul %3").arg(c.red()).arg(c.green()).arg(c.blue()));
    update();
}

void SwatchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
}

} // namespace tintaro
