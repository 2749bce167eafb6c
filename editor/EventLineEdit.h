#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QLineEdit>
#include <QList>
#include <QMargins>
#include <QSize>

class QPainter;

namespace tintaro {

// A text box that reports what the editor's fields react to and QLineEdit has no signal for:
// the release of a key and the focus leaving for another control of the program.
//
// It draws its own one-pixel sunken border instead of the style's frame and paints every pixel
// itself: the fields are rewritten on every drag step, and a styled frame (and the group box
// that would be repainted beneath it) cost several times the text. For the same reason an
// unfocused field showing plain text that fits draws that text itself, with the pixels
// QLineEdit would draw, once QLineEdit has painted it at the same size, font and alignment.
class EventLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit EventLineEdit(QWidget* parent = nullptr);

Q_SIGNALS:
    // A key whose press this field received has been released (auto-repeat releases excluded).
    void keyUp(int key, Qt::KeyboardModifiers modifiers);
    // The focus moved to another control; not sent when another window (a message box) takes it.
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What places the text; QLineEdit keeps its scroll offsets from its last own paint, and
    // those are only right for the plain path while this stays the same.
    struct TextPlacement {
        QSize size;
        QFont font;
        QMargins margins;
        Qt::Alignment alignment;
        int lineHeight = 0;
        bool operator==(const TextPlacement&) const = default;
    };
    TextPlacement placement(const QString& shown);
    // The height QLineEdit gives the line of `shown`: its ink's or the font's, the taller.
    int lineHeight(const QString& shown);
    bool fits(const QString& shown);
    bool paintsPlainly(const QString& shown, const TextPlacement& now, bool textFits) const;
    void paintPlainly(QPainter& painter, const QString& shown, const TextPlacement& now);

    QList<int> m_pressedKeys;
    // Whether the ink of all printable ASCII together fits the font's line; then no ASCII text
    // is taller than the line, and a field need not measure its text's ink on every paint.
    enum class AsciiInk { Unknown, FitsLine, MayNotFit };
    AsciiInk m_asciiInk = AsciiInk::Unknown;
    TextPlacement m_placedByQLineEdit;
    bool m_placedValid = false;
    // Per text shown in the current font: the width QLineEdit's scrolling goes by, and the laid
    // out glyphs. A drag rewrites the fields with a few hundred different numbers over and over;
    // laying each out anew on every paint was the larger part of drawing it.
    QHash<QString, int> m_usedWidths;
    QHash<QString, QList<QGlyphRun>> m_glyphRuns;
    void forgetLayouts();
};

} // namespace tintaro
