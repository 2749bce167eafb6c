#pragma once

#include <QHash>
#include <QList>
#include <QRawFont>
#include <QStringView>
#include <array>
#include <memory>

class QFont;
class QPainter;
class QPointF;

namespace tintaro {

// Draws the start-up windows' captions in the dialog face, read straight from the face's file,
// to the pixel as the toolkit's text drawing would. The toolkit's own text path first builds a
// list of every installed font (and lays each caption out as a paragraph), which is a good part
// of what starting the program costs; the captions here are short Latin texts in one known face.
// Anything beyond that (another font, a character outside printable Latin-1) is for the caller
// to draw the toolkit's way.
class PlainText {
public:
    // The drawer for `dialogFont()`, or null when its face has no usable file (not installed,
    // several candidates, a collection); callers then draw the toolkit's way.
    static const PlainText* dialogFace();

    // A drawer for the regular style of `family` at `pixelSize` with full hinting, or null as
    // above. `dialogFace()` is this for the dialog font, made once. The face's file stays
    // mapped for the life of the program, since the toolkit may keep the face.
    static std::unique_ptr<const PlainText> load(const QString& family, int pixelSize);

    // Whether text in `font` is this face: the family, size and style it was loaded for, with
    // the rendering choices the windows make. Underline is the caller's to draw (see draw).
    bool draws(const QFont& font) const;

    // Whether every character of `text` is printable Latin-1 (no soft hyphen, which shows only
    // at a break) and the face has a glyph for it.
    bool covers(QStringView text) const;

    qreal ascent() const { return m_font.ascent(); }
    qreal descent() const { return m_font.descent(); }
    qreal leading() const { return m_font.leading(); }

    // The advance width of `text`, as the toolkit measures unshaped text: no kerning.
    qreal advance(QStringView text) const;

    // The line breaks word wrapping makes at `width`, as the toolkit's layout makes them: a line
    // ends after the spaces that follow its last word, or where the text may break within a
    // word (after a hyphen or a slash), at the last place where the line still fits, its last
    // glyph's ink included; a word wider than the whole width stands alone on its line.
    struct Line {
        qsizetype from = 0;
        qsizetype length = 0;
    };
    QList<Line> wrap(QStringView text, qreal width) const;

    // Draws `text` with its baseline starting at `baseline`, in the painter's pen, underlined
    // (as the toolkit underlines a line) when asked.
    void draw(QPainter& painter, const QPointF& baseline, QStringView text, bool underline) const;

    // Whether glyphs are measured off the very glyphs the toolkit draws, so that each is loaded
    // and hinted once. The toolkit measures and draws a glyph apart (and so loads it twice); its
    // private font engine interface reaches the drawn one. Only where that is safe: built with
    // the toolkit's private headers, running on that very version, its FreeType engine drawing
    // grey glyphs, an unscaled screen. Either way the text measures and draws the same.
    bool measuresDrawnGlyphs() const;

private:
    explicit PlainText(QRawFont font, QString family);
    // A glyph's advance and how far right its ink reaches, in pixels from its origin; measured
    // once.
    struct GlyphMetrics {
        qreal advance = 0;
        qreal inkRight = 0;
    };
    const GlyphMetrics& metricsOf(quint32 glyph) const;
    // A Latin-1 character's glyph (0 for none) and a text's glyphs, one per character; the
    // Latin-1 ones are looked up once each.
    quint32 latin1Glyph(char16_t c) const;
    QList<quint32> glyphsOf(QStringView text) const;

    QRawFont m_font;
    QString m_family;
    mutable QHash<quint32, GlyphMetrics> m_metrics;    // measured once each
    mutable std::array<quint32, 256> m_latin1Glyphs{}; // each glyph + 1; 0 before its lookup
};

} // namespace tintaro
