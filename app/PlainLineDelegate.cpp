#include "PlainLineDelegate.h"

#include "PlainText.h"

#include <QApplication>
#include <QPainter>
#include <QtMath>

namespace tintaro {

namespace {

const QStyle* styleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The gap the style leaves on each side of an item's text.
int textMargin(const QStyleOptionViewItem& option) {
    return styleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
}

// The height the style gives one line of text: ascent plus descent, rounded up.
int lineHeight(qreal ascent, qreal descent) {
    return qCeil(ascent + descent);
}

// The dialog face's drawer when the line is in that face, which spares the toolkit's font list;
// null for the toolkit's own text.
const PlainText* faceFor(const QStyleOptionViewItem& option) {
    const PlainText* face = PlainText::dialogFace();
    return face && face->draws(option.font) && face->covers(option.text) ? face : nullptr;
}

} // namespace

bool PlainLineDelegate::isPlainLine(const QString& text) {
    // The style measures a line without its trailing spaces.
    if (!text.isEmpty() && (text.back() == u' ' || text.back() == QChar(0xA0)))
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Control characters would break the line; the soft hyphen is drawn only at a break.
        const bool printable = (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF && u != 0xAD);
        if (!printable)
            return false;
    }
    return true;
}

bool PlainLineDelegate::isPlainItem(const QStyleOptionViewItem& option) {
    using F = QStyleOptionViewItem::ViewItemFeature;
    return !(option.features & (F::HasDecoration | F::HasCheckIndicator | F::WrapText)) &&
           option.textElideMode == Qt::ElideRight &&
           option.displayAlignment == (Qt::AlignLeft | Qt::AlignVCenter) &&
           option.direction == Qt::LeftToRight && isPlainLine(option.text);
}

QSize PlainLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!isPlainItem(opt) || index.data(Qt::SizeHintRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    if (const PlainText* face = faceFor(opt))
        return QSize(qCeil(face->advance(opt.text)) + 2 * textMargin(opt),
                     lineHeight(face->ascent(), face->descent()));
    const QFontMetricsF metrics(opt.font);
    return QSize(qCeil(metrics.horizontalAdvance(opt.text)) + 2 * textMargin(opt),
                 lineHeight(metrics.ascent(), metrics.descent()));
}

void PlainLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!isPlainItem(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QStyle* style = styleOf(opt);

    painter->save();
    painter->setClipRect(opt.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);

    QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->setPen(opt.palette.color(
        group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    // Centred vertically as the style centres its one-line layout.
    const int left = opt.rect.left() + textMargin(opt);
    if (const PlainText* face = faceFor(opt)) {
        const int top =
            opt.rect.top() + (opt.rect.height() - lineHeight(face->ascent(), face->descent())) / 2;
        face->draw(*painter, QPointF(left, top + face->ascent()), opt.text, opt.font.underline());
    } else {
        const QFontMetricsF metrics(opt.font);
        const int top = opt.rect.top() +
                        (opt.rect.height() - lineHeight(metrics.ascent(), metrics.descent())) / 2;
        painter->setFont(opt.font);
        painter->drawText(QPointF(left, top + metrics.ascent()), opt.text);
    }

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = opt.rect;
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = opt.palette.color(
            group, opt.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
    }
    painter->restore();
}

} // namespace tintaro
