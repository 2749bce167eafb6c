#include "PlainText.h"

#include "BindSymbol.h"
#include "DialogFont.h"

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QVarLengthArray>
#include <QtMath>
#include <cmath>
#include <dlfcn.h>
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if TINTARO_SHARED_GLYPHS
#include <QGuiApplication>
#include <QtGui/private/qrawfont_p.h>
#include <cstring>
#endif

namespace tintaro {

namespace {

// The few font-configuration calls the face lookup makes, taken from the library the toolkit
// has already loaded. Linking it into the program as well would put it among the libraries the
// loader searches for every symbol of every library at start-up, which costs more than the lookup.
struct Fontconfig {
    decltype(&FcPatternCreate) patternCreate = nullptr;
    decltype(&FcPatternAddString) patternAddString = nullptr;
    decltype(&FcPatternAddInteger) patternAddInteger = nullptr;
    decltype(&FcPatternAddBool) patternAddBool = nullptr;
    decltype(&FcPatternGetString) patternGetString = nullptr;
    decltype(&FcPatternGetInteger) patternGetInteger = nullptr;
    decltype(&FcPatternDestroy) patternDestroy = nullptr;
    decltype(&FcObjectSetCreate) objectSetCreate = nullptr;
    decltype(&FcObjectSetAdd) objectSetAdd = nullptr;
    decltype(&FcObjectSetDestroy) objectSetDestroy = nullptr;
    decltype(&FcFontList) fontList = nullptr;
    decltype(&FcFontSetDestroy) fontSetDestroy = nullptr;

    // The calls, or null when the library is not loaded (the toolkit uses another font
    // system) or lacks one of them.
    static const Fontconfig* loaded() {
        static const std::optional<Fontconfig> calls = []() -> std::optional<Fontconfig> {
            void* handle = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_NOLOAD);
            if (!handle)
                return std::nullopt;
            Fontconfig fc;
            const bool complete = bindSymbol(handle, "FcPatternCreate", fc.patternCreate) &&
                                  bindSymbol(handle, "FcPatternAddString", fc.patternAddString) &&
                                  bindSymbol(handle, "FcPatternAddInteger", fc.patternAddInteger) &&
                                  bindSymbol(handle, "FcPatternAddBool", fc.patternAddBool) &&
                                  bindSymbol(handle, "FcPatternGetString", fc.patternGetString) &&
                                  bindSymbol(handle, "FcPatternGetInteger", fc.patternGetInteger) &&
                                  bindSymbol(handle, "FcPatternDestroy", fc.patternDestroy) &&
                                  bindSymbol(handle, "FcObjectSetCreate", fc.objectSetCreate) &&
                                  bindSymbol(handle, "FcObjectSetAdd", fc.objectSetAdd) &&
                                  bindSymbol(handle, "FcObjectSetDestroy", fc.objectSetDestroy) &&
                                  bindSymbol(handle, "FcFontList", fc.fontList) &&
                                  bindSymbol(handle, "FcFontSetDestroy", fc.fontSetDestroy);
            // The toolkit keeps the library loaded for the life of the program.
            dlclose(handle);
            if (!complete)
                return std::nullopt;
            return fc;
        }();
        return calls ? &*calls : nullptr;
    }
};

// The one file that holds the regular style of `family`, as the font configuration lists it;
// empty when there is none, or more than one (the toolkit would pick among them its own way), or
// it is one face of a collection (a raw font reads only the first).
QByteArray regularFaceFile(const QString& family) {
    const Fontconfig* fc = Fontconfig::loaded();
    if (!fc)
        return {};
    FcPattern* pattern = fc->patternCreate();
    const QByteArray name = family.toUtf8();
    fc->patternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    fc->patternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    fc->patternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    fc->patternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    fc->patternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = fc->objectSetCreate();
    fc->objectSetAdd(objects, FC_FILE);
    fc->objectSetAdd(objects, FC_INDEX);
    FcFontSet* fonts = fc->fontList(nullptr, pattern, objects);
    QByteArray file;
    FcChar8* path = nullptr;
    int index = -1;
    if (fonts && fonts->nfont == 1 &&
        fc->patternGetString(fonts->fonts[0], FC_FILE, 0, &path) == FcResultMatch &&
        fc->patternGetInteger(fonts->fonts[0], FC_INDEX, 0, &index) == FcResultMatch && index == 0)
        file = reinterpret_cast<const char*>(path);
    if (fonts)
        fc->fontSetDestroy(fonts);
    fc->objectSetDestroy(objects);
    fc->patternDestroy(pattern);
    return file;
}

// The file's bytes, mapped for the rest of the program's life: the face reads its glyphs from
// them whenever a new one is drawn, and the toolkit may keep the face after this drawer goes.
QByteArray mapWhole(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    void* bytes = MAP_FAILED;
    // A font file is a few hundred kilobytes; anything odd or huge is not worth mapping.
    constexpr off_t kLargest = 64 << 20;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        info.st_size <= kLargest)
        bytes = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (bytes == MAP_FAILED)
        return {};
    return QByteArray::fromRawData(static_cast<const char*>(bytes),
                                   static_cast<qsizetype>(info.st_size));
}

bool isPrintableLatin1(char16_t u) {
    // Control characters break or vanish; the soft hyphen shows only at a break.
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF && u != 0xAD);
}

} // namespace

bool PlainText::measuresDrawnGlyphs() const {
#if TINTARO_SHARED_GLYPHS
    // The toolkit's private font engine interface is safe to use only in the very version built
    // against; its FreeType engine keeps the grey glyphs it draws on an unscaled screen.
    static const bool sameToolkit = std::strcmp(qVersion(), QT_VERSION_STR) == 0;
    const QFontEngine* const engine = QRawFontPrivate::get(m_font)->fontEngine;
    return sameToolkit && engine && engine->type() == QFontEngine::Freetype &&
           engine->hasInternalCaching() && engine->glyphFormat == QFontEngine::Format_A8 &&
           qGuiApp && qGuiApp->devicePixelRatio() == 1.0;
#else
    return false;
#endif
}

const PlainText::GlyphMetrics& PlainText::metricsOf(quint32 glyph) const {
    const auto known = m_metrics.constFind(glyph);
    if (known != m_metrics.cend())
        return *known;
    GlyphMetrics metrics;
    bool found = false;
#if TINTARO_SHARED_GLYPHS
    if (measuresDrawnGlyphs()) {
        // Null for a glyph without ink, such as a space, which is not kept with the drawn ones.
        QFontEngine* const engine = QRawFontPrivate::get(m_font)->fontEngine;
        if (const QFontEngine::Glyph* drawn =
                engine->glyphData(glyph, QFixedPoint(), QFontEngine::Format_None, QTransform())) {
            metrics = {qreal(drawn->advance), qreal(drawn->x + drawn->width)};
            found = true;
        }
    }
#endif
    if (!found) {
        metrics.advance = m_font.advancesForGlyphIndexes(QList<quint32>{glyph}).value(0).x();
        metrics.inkRight = m_font.boundingRect(glyph).right();
    }
    return *m_metrics.insert(glyph, metrics);
}

quint32 PlainText::latin1Glyph(char16_t c) const {
    quint32& known = m_latin1Glyphs[c];
    if (known == 0) {
        const QChar character(c);
        int count = 1;
        quint32 glyph = 0;
        if (!m_font.glyphIndexesForChars(&character, 1, &glyph, &count) || count != 1)
            glyph = 0;
        known = glyph + 1;
    }
    return known - 1;
}

QList<quint32> PlainText::glyphsOf(QStringView text) const {
    QList<quint32> glyphs;
    glyphs.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return m_font.glyphIndexesForString(text.toString());
        glyphs.append(latin1Glyph(c.unicode()));
    }
    return glyphs;
}

PlainText::PlainText(QRawFont font, QString family)
    : m_font(std::move(font))
    , m_family(std::move(family)) {}

const PlainText* PlainText::dialogFace() {
    // Made once and kept to the end, like the face's mapping: destroyed with the other statics
    // it would release its font engine after the application and its font caches are gone.
    static const PlainText* const face = [] {
        const QFont font = dialogFont();
        return load(font.family(), font.pixelSize()).release();
    }();
    return face;
}

std::unique_ptr<const PlainText> PlainText::load(const QString& family, int pixelSize) {
    const QByteArray file = regularFaceFile(family);
    if (file.isEmpty())
        return nullptr;
    const QByteArray bytes = mapWhole(file);
    if (bytes.isEmpty())
        return nullptr;
    QRawFont font(bytes, pixelSize, QFont::PreferFullHinting);
    if (!font.isValid()) {
        // Not a face the toolkit can read: nothing refers to the bytes.
        ::munmap(const_cast<char*>(bytes.constData()), static_cast<size_t>(bytes.size()));
        return nullptr;
    }
    return std::unique_ptr<const PlainText>(new PlainText(std::move(font), family));
}

bool PlainText::draws(const QFont& font) const {
    return font.family() == m_family && font.pixelSize() == qRound(m_font.pixelSize()) &&
           font.weight() == QFont::Normal && font.style() == QFont::StyleNormal &&
           (font.stretch() == QFont::Unstretched || font.stretch() == QFont::AnyStretch) &&
           font.hintingPreference() == QFont::PreferFullHinting &&
           (font.styleStrategy() & QFont::PreferNoShaping) &&
           !(font.styleStrategy() & (QFont::NoAntialias | QFont::PreferAntialias)) &&
           !font.strikeOut() && !font.overline() && font.capitalization() == QFont::MixedCase &&
           font.letterSpacing() == 0 && font.wordSpacing() == 0;
}

bool PlainText::covers(QStringView text) const {
    for (const QChar c : text)
        if (!isPrintableLatin1(c.unicode()) || latin1Glyph(c.unicode()) == 0)
            return false;
    return true;
}

qreal PlainText::advance(QStringView text) const {
    qreal width = 0;
    for (const quint32 glyph : glyphsOf(text))
        width += metricsOf(glyph).advance;
    return width;
}

QList<PlainText::Line> PlainText::wrap(QStringView text, qreal width) const {
    const QString string = text.toString();
    const QList<quint32> glyphs = glyphsOf(string);
    const qsizetype n = string.size();
    const auto advanceAt = [&](qsizetype at) { return metricsOf(glyphs[at]).advance; };
    // Where the text may break other than at a space (after a hyphen, a slash, ...), by the same
    // rules the toolkit's layout follows.
    QVarLengthArray<bool, 128> breakBefore(n + 1, false);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, string);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        breakBefore[at] = true;
    // How far a glyph's ink reaches past its advance (0 when it does not).
    const auto overhang = [&](qsizetype at) {
        const GlyphMetrics& metrics = metricsOf(glyphs[at]);
        return qMax<qreal>(0, metrics.inkRight - metrics.advance);
    };

    QList<Line> lines;
    qsizetype at = 0;
    while (at < n) {
        Line line{at, 0};
        qreal lineWidth = 0;
        qreal spaces = 0;
        qsizetype spaceCount = 0;
        while (at < n) {
            if (string[at] == u' ') {
                do {
                    spaces += advanceAt(at);
                    ++spaceCount;
                    ++at;
                } while (at < n && string[at] == u' ');
                // Spaces wider than the whole line end it.
                if (spaces > width)
                    break;
                continue;
            }
            const qsizetype word = at;
            qreal wordWidth = 0;
            do {
                wordWidth += advanceAt(at);
                ++at;
            } while (at < n && string[at] != u' ' && !breakBefore[at]);
            // A line takes its first word whatever its width; a later word only if it fits
            // with the spaces before it and the ink of its last glyph.
            if (line.length > 0 && lineWidth + spaces + wordWidth + overhang(at - 1) > width) {
                at = word;
                break;
            }
            lineWidth += spaces + wordWidth;
            line.length += spaceCount + (at - word);
            spaces = 0;
            spaceCount = 0;
        }
        // The spaces after a line's last word end that line; the next starts with a word.
        line.length += spaceCount;
        lines.append(line);
    }
    return lines;
}

void PlainText::draw(QPainter& painter, const QPointF& baseline, QStringView text,
                     bool underline) const {
    const QList<quint32> all = glyphsOf(text);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(all.size());
    positions.reserve(all.size());
    qreal x = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (text[i] != u' ') { // a space has no ink
            glyphs.append(all[i]);
            positions.append(QPointF(x, 0));
        }
        x += metricsOf(all[i]).advance;
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.drawGlyphRun(baseline, run);
    }
    if (underline && !all.isEmpty()) {
        // As the painter underlines a line of text: the face's line thickness, from the line's
        // start to its end, on whole pixels, just below the face's underline position but
        // within its descent. (A glyph run's own underline lands elsewhere on a scaled screen.)
        const qreal offset = m_font.underlinePosition();
        qreal below = std::ceil(offset) + 0.5;
        if (offset <= m_font.descent())
            below = qMin(below, m_font.descent() - 0.5);
        QPen pen = painter.pen();
        pen.setStyle(Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        pen.setWidthF(m_font.lineThickness());
        const QPen kept = painter.pen();
        const QBrush keptBrush = painter.brush();
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const qreal y = baseline.y() + below;
        painter.drawLine(QLineF(qFloor(baseline.x()), y, qFloor(baseline.x() + x), y));
        painter.setPen(kept);
        painter.setBrush(keptBrush);
    }
}

} // namespace tintaro
