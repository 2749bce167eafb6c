#include "EventLineEdit.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace tintaro {

namespace {

// More texts than a field shows in any drag; past it the kept layouts start over.
constexpr qsizetype kKeptLayouts = 2048;

// QLineEdit's own spacing between its contents rectangle and the text line.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

void drawBorder(QPainter& painter, int w, int h) {
    // Filled rectangles: a cosmetic-pen line costs several times as much on the raster engine.
    const QColor shadow(0x80, 0x80, 0x80);
    const QColor light(0xFF, 0xFF, 0xFF);
    painter.fillRect(0, 0, w, 1, shadow);
    painter.fillRect(0, 1, 1, h - 1, shadow);
    painter.fillRect(1, h - 1, w - 1, 1, light);
    painter.fillRect(w - 1, 1, 1, h - 2, light);
}

// Whether every character of `text` lies in [first, end).
bool allWithin(const QString& text, char16_t first, char16_t end) {
    return std::all_of(text.cbegin(), text.cend(),
                       [=](QChar c) { return c.unicode() >= first && c.unicode() < end; });
}

// Latin text without combining marks or bidirectional characters: laid out by QPainter exactly
// as by QLineEdit.
bool isPlainLatin(const QString& text) {
    return allWithin(text, 0x20, 0x300);
}

bool isPrintableAscii(const QString& text) {
    return allWithin(text, 0x20, 0x7F);
}

// Every printable ASCII character once: the ink of any text made of them lies within this
// text's ink, as long as each character keeps its own glyph.
const QString& allPrintableAscii() {
    static const QString text = [] {
        QString all;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            all.append(QChar(c));
        return all;
    }();
    return text;
}

} // namespace

EventLineEdit::EventLineEdit(QWidget* parent)
    : QLineEdit(parent) {
    setFrame(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EventLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && !m_pressedKeys.contains(event->key()))
        m_pressedKeys.append(event->key());
    QLineEdit::keyPressEvent(event);
}

void EventLineEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat())
        return;
    // A release whose press went elsewhere (the Enter that dismissed a message box) is not a
    // key typed here; reporting it would show the same message again, forever.
    if (!m_pressedKeys.removeOne(event->key()))
        return;
    Q_EMIT keyUp(event->key(), event->modifiers());
}

void EventLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_pressedKeys.clear();
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    Q_EMIT lostFocus();
}

void EventLineEdit::changeEvent(QEvent* event) {
    // Sent for every new font, including the same font at another screen's resolution.
    if (event->type() == QEvent::FontChange) {
        m_asciiInk = AsciiInk::Unknown;
        forgetLayouts();
    }
    QLineEdit::changeEvent(event);
}

void EventLineEdit::paintEvent(QPaintEvent* event) {
    const QString shown = displayText();
    const TextPlacement now = placement(shown);
    // Measured once: both the choice below and the next paint's depend on it.
    const bool textFits = fits(shown);
    if (paintsPlainly(shown, now, textFits)) {
        QPainter painter(this);
        paintPlainly(painter, shown, now);
        drawBorder(painter, width(), height());
        return;
    }
    // The frameless panel leaves its outermost ring unpainted; the border covers it.
    QLineEdit::paintEvent(event);
    m_placedByQLineEdit = now;
    m_placedValid = textFits;
    QPainter painter(this);
    drawBorder(painter, width(), height());
}

EventLineEdit::TextPlacement EventLineEdit::placement(const QString& shown) {
    return {size(), font(), textMargins(), alignment(), lineHeight(shown)};
}

int EventLineEdit::lineHeight(const QString& shown) {
    const QFontMetrics metrics = fontMetrics();
    // Measuring a text's ink lays it out; the fields are rewritten on every drag step, so the
    // answer for ASCII is worked out once per font instead.
    if (m_asciiInk == AsciiInk::Unknown) {
        // Shaping may replace letters by ligatures, whose ink the letters' does not bound.
        const bool unshaped = font().styleStrategy() & QFont::PreferNoShaping;
        m_asciiInk =
            unshaped && metrics.boundingRect(allPrintableAscii()).height() <= metrics.height()
                ? AsciiInk::FitsLine
                : AsciiInk::MayNotFit;
    }
    if (m_asciiInk == AsciiInk::FitsLine && isPrintableAscii(shown))
        return metrics.height();
    return std::max(metrics.boundingRect(shown).height(), metrics.height());
}

void EventLineEdit::forgetLayouts() {
    m_usedWidths.clear();
    m_glyphRuns.clear();
}

bool EventLineEdit::fits(const QString& shown) {
    // QLineEdit scrolls a line that, with the font's widest bearings on both sides, is wider
    // than the line box; only a line it leaves unscrolled is drawn here.
    auto used = m_usedWidths.constFind(shown);
    if (used == m_usedWidths.cend()) {
        if (m_usedWidths.size() >= kKeptLayouts)
            forgetLayouts();
        const QFontMetrics metrics = fontMetrics();
        const int bearings =
            std::max(0, -metrics.minLeftBearing()) + std::max(0, -metrics.minRightBearing());
        used = m_usedWidths.insert(shown, qRound(QFontMetricsF(font()).horizontalAdvance(shown)) +
                                              1 + bearings);
    }
    const int lineWidth = rect().marginsRemoved(textMargins()).width() - 2 * kHorizontalMargin;
    return *used <= lineWidth;
}

bool EventLineEdit::paintsPlainly(const QString& shown, const TextPlacement& now,
                                  bool textFits) const {
    if (!m_placedValid || !(now == m_placedByQLineEdit))
        return false;
    if (hasFocus() || hasSelectedText() || echoMode() != Normal || !inputMask().isEmpty() ||
        !actions().isEmpty() || layoutDirection() != Qt::LeftToRight)
        return false;
    if ((alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) != Qt::AlignLeft)
        return false;
    if (palette().brush(QPalette::Base).style() != Qt::SolidPattern)
        return false;
    if (shown.isEmpty())
        return placeholderText().isEmpty();
    return isPlainLatin(shown) && textFits;
}

void EventLineEdit::paintPlainly(QPainter& painter, const QString& shown,
                                 const TextPlacement& now) {
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.brush(QPalette::Base));
    if (shown.isEmpty())
        return;
    // The same arithmetic as QLineEdit's for a line that fits: the line box centred (or put at
    // the top or bottom), the text at its left end, its baseline where the text
    // layout's unrounded ascent puts it.
    const QRect contents = rect().marginsRemoved(textMargins());
    const QFontMetrics metrics = fontMetrics();
    int top = 0;
    switch (alignment() & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom:
        top = contents.y() + contents.height() - now.lineHeight - kVerticalMargin;
        break;
    case Qt::AlignTop:
        top = contents.y() + kVerticalMargin;
        break;
    default:
        top = contents.y() + (contents.height() - now.lineHeight + 1) / 2;
        break;
    }
    const qreal ascent = QFontMetricsF(font()).ascent();
    const qreal baseline = top + metrics.ascent() - qRound(ascent) + ascent;
    const int left = contents.x() + kHorizontalMargin;
    painter.setClipRect(contents);
    painter.setPen(colours.text().color());
    // The painter would lay the text out again for every paint; the glyphs laid out once for
    // this text land on the same positions (a layout's line has its baseline at its ascent).
    auto runs = m_glyphRuns.constFind(shown);
    if (runs == m_glyphRuns.cend()) {
        if (m_glyphRuns.size() >= kKeptLayouts)
            forgetLayouts();
        QTextLayout layout(shown, font());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        QList<QGlyphRun> laidOut = layout.glyphRuns();
        // Positions from the baseline, as the painter's text drawing takes them.
        for (QGlyphRun& run : laidOut) {
            QList<QPointF> positions = run.positions();
            for (QPointF& at : positions)
                at.ry() -= line.ascent();
            run.setPositions(positions);
        }
        runs = m_glyphRuns.insert(shown, laidOut);
    }
    for (const QGlyphRun& run : *runs)
        painter.drawGlyphRun(QPointF(left, baseline), run);
    painter.setClipping(false);
}

} // namespace tintaro
