#include "editor/SwatchLabel.h"

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
    const auto bits = static_cast<std::uint32_t>(m_backColor);
    QPainter painter(this);
    painter.fillRect(
        rect(), QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu)));
}

} // namespace tintaro
