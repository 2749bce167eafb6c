#include "runtime/EtchedFrame.h"

#include <QPainter>

namespace tintaro {

void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QColor back = palette().color(QPalette::Window);
    // With a caption the lines run through its middle; without one they start at the top.
    const int top = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect box(0, top, width() - 2, height() - top - 2);
    painter.setPen(back.darker(160));
    painter.drawRect(box);
    painter.setPen(back.lighter(150));
    painter.drawRect(box.translated(1, 1));
    if (title().isEmpty())
        return;

    const QRect caption(8, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption, back);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title());
}

} // namespace tintaro
