#include "editor/SwatchLabel.h"

#include "runtime/QtColor.h"

#include <QPainter>

namespace tintaro {

SwatchLabel::SwatchLabel(QWidget* parent)
    : ClickLabel(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SwatchLabel::setBackColor(ColorRef colour) {
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    update();
}

void SwatchLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColor));
}

} // namespace tintaro
