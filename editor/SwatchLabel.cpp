// SPDX-License-Identifier: MIT
#include "SwatchLabel.h"

#include "SurfaceWidget.h"

#include <QPainter>

namespace tintaro {

namespace {

// The colour in words, for screen readers: a swatch is otherwise silent about what it shows.
QString colourWords(ColorRef colour) {
    const QColor c = toQColor(colour);
    return QStringLiteral("Rojo %1, verde %2, azul %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

SwatchLabel::SwatchLabel(QWidget* parent)
    : ClickLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleDescription(colourWords(m_backColor));
}

void SwatchLabel::setBackColor(ColorRef colour) {
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    setAccessibleDescription(colourWords(colour));
    update();
}

void SwatchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
}

} // namespace tintaro
