#include "PlainLineDelegate.h"

#include "DialogFont.h"

#include <QListWidget>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTest>

using tintaro::PlainLineDelegate;

namespace {

// The same list drawn once by the style's delegate and once by the fast one.
struct Renders {
    QImage style;
    QImage plain;
    QList<QRect> styleRects;
    QList<QRect> plainRects;
};

QList<QRect> itemRects(const QListWidget& list) {
    QList<QRect> rects;
    for (int i = 0; i < list.count(); ++i)
        rects << list.visualItemRect(list.item(i));
    return rects;
}

} // namespace

class PlainLineDelegateTest : public QObject {
    Q_OBJECT

private:
    // `inactive`: another window is active, and the list's palette has inactive colours of its
    // own. `extraHeight`: every row is that much taller than its line. `styleName`: the list
    // is drawn by that style, with a dark highlight under a light window colour.
    Renders render(const QStringList& lines, int selected, int current, bool focus, bool enabled,
                   int width, bool inactive = false, int extraHeight = 0,
                   const QString& styleName = {}) {
        QListWidget list;
        const std::unique_ptr<QStyle> style(styleName.isEmpty() ? nullptr
                                                                : QStyleFactory::create(styleName));
        if (style) {
            list.setStyle(style.get());
            QPalette palette = style->standardPalette();
            palette.setColor(QPalette::Highlight, QColor(0x20, 0x20, 0x60));
            palette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
            list.setPalette(palette);
        }
        list.setFont(tintaro::dialogFont());
        list.resize(width, 134);
        list.addItems(lines);
        list.setEnabled(enabled);
        if (extraHeight > 0) {
            const int line = QFontMetrics(list.font()).height();
            for (int i = 0; i < list.count(); ++i)
                list.item(i)->setSizeHint(QSize(width / 2, line + extraHeight));
        }
        QWidget other;
        if (inactive) {
            QPalette palette = list.palette();
            palette.setColor(QPalette::Inactive, QPalette::Text, QColor(0x80, 0x00, 0x80));
            palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(0, 0x80, 0));
            palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xC0, 0xC0, 0xFF));
            list.setPalette(palette);
        }
        list.show();
        if (inactive) {
            other.show();
            other.activateWindow();
            if (!QTest::qWaitForWindowActive(&other) || list.isActiveWindow())
                qWarning("list still active");
        }
        if (focus) {
            list.activateWindow();
            if (!QTest::qWaitForWindowActive(&list))
                qWarning("window not active");
            list.setFocus();
        }
        if (current >= 0)
            list.setCurrentRow(current, QItemSelectionModel::NoUpdate);
        if (selected >= 0)
            list.item(selected)->setSelected(true);

        Renders r;
        auto* styleDelegate = new QStyledItemDelegate(&list);
        list.setItemDelegate(styleDelegate);
        list.doItemsLayout();
        r.styleRects = itemRects(list);
        r.style = list.viewport()->grab().toImage();
        list.setItemDelegate(new PlainLineDelegate(&list));
        list.doItemsLayout();
        r.plainRects = itemRects(list);
        r.plain = list.viewport()->grab().toImage();
        return r;
    }

private Q_SLOTS:
    void plainLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::newRow("account") << QStringLiteral("1000007919: ana@example.com") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("latin-1") << QStringLiteral("12: jos\u00e9.mu\u00f1oz@example.es") << true;
        QTest::newRow("inner spaces") << QStringLiteral("1:  a b") << true;
        QTest::newRow("trailing space") << QStringLiteral("1: a ") << false;
        QTest::newRow("trailing nbsp") << QStringLiteral("1: a\u00a0") << false;
        QTest::newRow("newline") << QStringLiteral("1: a\nb") << false;
        QTest::newRow("tab") << QStringLiteral("1: a\tb") << false;
        QTest::newRow("delete") << QStringLiteral("1: a\u007fb") << false;
        QTest::newRow("c1 control") << QStringLiteral("1: a\u0085b") << false;
        QTest::newRow("soft hyphen") << QStringLiteral("1: a\u00adb") << false;
        QTest::newRow("cyrillic") << QStringLiteral("1: \u043f@\u043f.\u0440\u0444") << false;
        QTest::newRow("hebrew") << QStringLiteral("1: \u05d0@b.c") << false;
        QTest::newRow("surrogate pair") << QStringLiteral("1: \U0001F600@b.c") << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << false;
    }

    void plainLine() {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(PlainLineDelegate::isPlainLine(text), plain);
    }

    // Whatever the line and the item's state, the fast delegate gives every item the style's
    // size and draws the list pixel for pixel as the style does.
    void drawsAsTheStyle_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("width");
        const QStringList accounts{QStringLiteral("1000007919: ana@example.com"),
                                   QStringLiteral("1000015838: jos\u00e9.mu\u00f1oz@example.es"),
                                   QStringLiteral("1000023757: "),
                                   QStringLiteral("0123: x_y-z+tag@sub.example.org")};
        QTest::newRow("plain") << accounts << -1 << -1 << false << true << 305;
        QTest::newRow("selected") << accounts << 1 << -1 << false << true << 305;
        QTest::newRow("selected, focused") << accounts << 1 << 1 << true << true << 305;
        QTest::newRow("current, focused") << accounts << -1 << 2 << true << true << 305;
        QTest::newRow("disabled, selected") << accounts << 0 << -1 << false << false << 305;
        QTest::newRow("scrolls sideways") << accounts << 3 << -1 << false << true << 90;
        QStringList mixed = accounts;
        mixed << QStringLiteral("5: a \u00a0b\u00a0") << QStringLiteral("6: line\nbreak")
              << QStringLiteral("7: \u043f\u0440\u0438\u043c\u0435\u0440@\u043f.\u0440\u0444")
              << QStringLiteral("8: tab\there") << QString() << QStringLiteral("9: end ");
        QTest::newRow("fallbacks mixed in") << mixed << 6 << 6 << true << true << 305;
    }

    void drawsAsTheStyle() {
        QFETCH(QStringList, lines);
        QFETCH(int, selected);
        QFETCH(int, current);
        QFETCH(bool, focus);
        QFETCH(bool, enabled);
        QFETCH(int, width);
        comparePixels(render(lines, selected, current, focus, enabled, width));
    }

    // In a window that is not the active one the text takes the palette's inactive colours;
    // in rows taller than the line it is centred as the style centres it, odd gaps included;
    // a style that draws the focus frame by the colour beneath gets the selection's colour.
    void drawsAsTheStyleInOtherStates_data() {
        QTest::addColumn<bool>("inactive");
        QTest::addColumn<int>("extraHeight");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<QString>("styleName");
        QTest::newRow("inactive") << true << 0 << -1 << false << QString();
        QTest::newRow("inactive, selected") << true << 0 << 1 << false << QString();
        QTest::newRow("rows 3 taller") << false << 3 << 1 << false << QString();
        QTest::newRow("rows 4 taller") << false << 4 << 1 << false << QString();
        QTest::newRow("rows 5 taller, inactive") << true << 5 << 0 << false << QString();
        QTest::newRow("windows style, selected, focused")
            << false << 0 << 1 << true << QStringLiteral("Windows");
        QTest::newRow("windows style, focused")
            << false << 0 << -1 << true << QStringLiteral("Windows");
    }
    void drawsAsTheStyleInOtherStates() {
        QFETCH(bool, inactive);
        QFETCH(int, extraHeight);
        QFETCH(int, selected);
        QFETCH(bool, focus);
        QFETCH(QString, styleName);
        if (!styleName.isEmpty() && !QStyleFactory::keys().contains(styleName))
            QSKIP("style not built in");
        const QStringList accounts{QStringLiteral("1000007919: ana@example.com"),
                                   QStringLiteral("1000015838: jos\u00e9.mu\u00f1oz@example.es"),
                                   QStringLiteral("0123: x_y-z+tag@sub.example.org")};
        comparePixels(render(accounts, selected, focus ? std::max(selected, 0) : -1, focus, true,
                             305, inactive, extraHeight, styleName));
    }

private:
    static void comparePixels(const Renders& r) {
        QCOMPARE(r.plainRects, r.styleRects);
        QCOMPARE(r.plain.size(), r.style.size());
        for (int y = 0; y < r.style.height(); ++y)
            for (int x = 0; x < r.style.width(); ++x)
                if (r.plain.pixel(x, y) != r.style.pixel(x, y)) {
                    r.style.save(QStringLiteral("plainline-style.png"));
                    r.plain.save(QStringLiteral("plainline-plain.png"));
                    QFAIL(qPrintable(QStringLiteral("first difference at (%1, %2): %3 vs %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(r.plain.pixel(x, y), 8, 16)
                                         .arg(r.style.pixel(x, y), 8, 16)));
                }
    }
};

QTEST_MAIN(PlainLineDelegateTest)
#include "PlainLineDelegateTest.moc"
