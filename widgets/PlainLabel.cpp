#include "PlainLabel.h"

#include "PlainText.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QtMath>

namespace tintaro {

bool PlainLabel::drawsPlainly() const {
    const PlainText* face = PlainText::dialogFace();
    const QString caption = text();
    constexpr Qt::TextInteractionFlags kEditing =
        Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    // The fusion style draws a label's text as the painter does, in the palette's colour;
    // another style may add to it (an etched or shadowed look).
    return face && face->draws(font()) &&
           style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0 &&
           pixmap().isNull() && picture().isNull() && !movie() && !buddy() &&
           (textFormat() == Qt::PlainText ||
            (textFormat() == Qt::AutoText && !Qt::mightBeRichText(caption))) &&
           !(textInteractionFlags() & kEditing) && alignment() == (Qt::AlignLeft | Qt::AlignTop) &&
           frameWidth() == 0 && margin() == 0 && indent() <= 0 &&
           !(font().underline() && wordWrap()) && face->covers(caption);
}

void PlainLabel::paintEvent(QPaintEvent* event) {
    if (!drawsPlainly()) {
        QLabel::paintEvent(event);
        return;
    }
    const PlainText& face = *PlainText::dialogFace();
    const QString caption = text();
    const QRect area = contentsRect();
    const QList<PlainText::Line> lines =
        wordWrap() ? face.wrap(caption, area.width()) : QList<PlainText::Line>{{0, caption.size()}};
    const bool underline = font().underline();
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
    if (area != rect())
        painter.setClipRect(area, Qt::IntersectClip);
    // Lines as the painter stacks a paragraph: each starts on a whole pixel, one line height
    // and the face's leading below the previous, until one reaches past the bottom.
    const qreal lineHeight = face.ascent() + face.descent();
    qreal y = -face.leading();
    for (const PlainText::Line& line : lines) {
        y = qCeil(y + face.leading());
        face.draw(painter, QPointF(area.left(), area.top() + y + face.ascent()),
                  QStringView(caption).mid(line.from, line.length), underline);
        y += lineHeight;
        if (y >= area.height())
            break;
    }
}

} // namespace tintaro
