// SPDX-License-Identifier: MIT
#include "EtchedFrame.h"

#include "AccessibleControls.h"

#include <QPainter>

namespace tintaro {

EtchedFrame::EtchedFrame(const QString& title, QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(title);
    exposeAsGroup(this);
}

void EtchedFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor back = palette().color(QPalette::Window);
    // The caption's box: one line of the font high, as wide as the caption.
    const QString title = windowTitle();
    QRect caption;
    if (!title.isEmpty())
        caption = QRect(8, 0, fontMetrics().horizontalAdvance(title), fontMetrics().height());

    // With a caption the lines run through its middle; without one they start at the top.
    const int top = caption.height() / 2;
    const QRect box(0, top, width() - 2, height() - top - 2);
    painter.setPen(back.darker(160));
    painter.drawRect(box);
    painter.setPen(back.lighter(150));
    painter.drawRect(box.translated(1, 1));
    if (title.isEmpty())
        return;

    painter.fillRect(caption, back);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title);
}

} // namespace tintaro
