#pragma once

#include <QStyledItemDelegate>

namespace tintaro {

// Draws a list's lines as the style's own item delegate draws them, faster for the common case:
// an item of printable Latin-1 text only, with no icon or check box, is measured by its advance
// width and drawn on one baseline, where the style would lay it out as a paragraph, several
// times for sizing and again for painting. Any other item goes through the style unchanged.
// Meant for a list view in list mode, which makes every item at least as wide as its size hint:
// a line is never elided there, so the fast path does not measure it again to paint it.
class PlainLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether `text` takes the fast path: printable Latin-1 only, which any text face covers,
    // so it lies on one line of the item's own font with no breaks, marks or other faces; and
    // no trailing space, which the style leaves out of a line's width.
    static bool isPlainLine(const QString& text);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    static bool isPlainItem(const QStyleOptionViewItem& option);
};

} // namespace tintaro
