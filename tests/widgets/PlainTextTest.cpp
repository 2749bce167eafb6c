// Captions drawn straight from the dialog face: the same pixels as the toolkit's label draws,
// in every case the fast path takes, and the toolkit's own drawing in every case it does not.
#include "PlainText.h"

#include "DialogFont.h"
#include "EtchedFrame.h"
#include "PlainLabel.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>

namespace {

using tintaro::PlainLabel;
using tintaro::PlainText;

enum class Variant { Plain, Underlined, Disabled, Margins };

// The same caption as a toolkit label and as a PlainLabel, side by side in one window with the
// given size and look; returns both as drawn.
struct Pair {
    QWidget window;
    QLabel* label = nullptr;
    PlainLabel* plain = nullptr;

    Pair(const QString& text, QSize size, bool wrap, Variant variant, const QFont& font) {
        window.resize(2 * size.width() + 10, size.height() + 10);
        QPalette palette = window.palette();
        palette.setColor(QPalette::WindowText, QColor(0x20, 0x40, 0xA0));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
        window.setPalette(palette);
        label = new QLabel(text, &window);
        plain = new PlainLabel(text, &window);
        int left = 0;
        for (QLabel* each : {label, static_cast<QLabel*>(plain)}) {
            QFont shown = font;
            shown.setUnderline(variant == Variant::Underlined);
            each->setFont(shown);
            each->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            each->setWordWrap(wrap);
            each->setGeometry(left, 0, size.width(), size.height());
            each->setEnabled(variant != Variant::Disabled);
            if (variant == Variant::Margins)
                each->setContentsMargins(3, 2, 1, 4);
            left += size.width() + 10;
        }
    }
};

bool samePixels(QWidget* a, QWidget* b) {
    return a->grab().toImage() == b->grab().toImage();
}

} // namespace

class PlainTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        // The project's set-up installs the face; without it every case below would only be
        // comparing the toolkit with itself.
        QVERIFY(PlainText::dialogFace() != nullptr);
    }

    void labelsDrawAsTheToolkitDoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("plain");
        const auto row = [](const char* name, const QString& text, QSize size, bool wrap,
                            Variant variant = Variant::Plain, bool plain = true) {
            QTest::newRow(name) << text << size << wrap << static_cast<int>(variant) << plain;
        };
        // The windows' own captions in their own boxes.
        row("question", QStringLiteral("¿50.000 usuarios pueden estar confundidos?"), {105, 41},
            true);
        row("made by", QStringLiteral("Made by \"Zelkor\" - https://zelkor.example/"), {193, 33},
            true);
        row("instruction",
            QStringLiteral("Haz click sobre la cuenta de msn que quieres cambiar "
                           "el color."),
            {337, 17}, false);
        row("vote question", QStringLiteral("¿Quieres que continue desarrollando programas?"),
            {129, 25}, true);
        row("link", QStringLiteral("Votame"), {41, 17}, false, Variant::Underlined);
        row("countdown", QStringLiteral("20 seg"), {33, 17}, false);
        row("closing", QStringLiteral("Faltan para cerrarse"), {97, 17}, false);
        // Lines past the bottom, a caption wider than its box, spaces around an underline.
        row("cut at the bottom", QStringLiteral("uno dos tres cuatro cinco seis siete"), {40, 20},
            true);
        row("wider than its box", QStringLiteral("WAVY Tyjf fjord"), {30, 17}, false);
        row("underlined spaces", QStringLiteral("  a link  "), {60, 17}, false,
            Variant::Underlined);
        row("empty", QString(), {40, 17}, true);
        row("disabled", QStringLiteral("Faltan para cerrarse"), {97, 17}, false, Variant::Disabled);
        row("inside margins", QStringLiteral("uno dos tres cuatro"), {50, 40}, true,
            Variant::Margins);
        // Not for the fast path: the label draws these itself.
        row("rich text", QStringLiteral("<b>negrita</b> y no"), {97, 17}, false, Variant::Plain,
            false);
        row("greek", QStringLiteral("Ωμέγα"), {60, 17}, false, Variant::Plain, false);
        row("tab", QStringLiteral("a\tb"), {60, 17}, false, Variant::Plain, false);
        row("line feed", QStringLiteral("a\nb"), {60, 30}, false, Variant::Plain, false);
        row("soft hyphen", QStringLiteral("para\u00ADguas"), {20, 30}, true, Variant::Plain, false);
        row("underlined and wrapped", QStringLiteral("uno dos tres"), {30, 40}, true,
            Variant::Underlined, false);
    }

    void labelsDrawAsTheToolkitDoes() {
        QFETCH(QString, text);
        QFETCH(QSize, size);
        QFETCH(bool, wrap);
        QFETCH(int, variant);
        QFETCH(bool, plain);
        Pair pair(text, size, wrap, static_cast<Variant>(variant), tintaro::dialogFont());
        QCOMPARE(pair.plain->drawsPlainly(), plain);
        QVERIFY(samePixels(pair.label, pair.plain));
    }

    // Every width a line could break at, for texts with every kind of break: spaces, runs of
    // spaces, hyphens and slashes, a word wider than the box, glyphs whose ink overhangs their
    // advance (f, j, y, W) at a line's end, and accented capitals.
    void wrappedLinesBreakWhereTheToolkitBreaksThem_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("kerning pairs") << QStringLiteral("AVAWAY fly, Tyr. To Ye Wa");
        QTest::newRow("hyphens and slashes")
            << QStringLiteral("word-with-hyphens and/or slashes https://a.example/b/c");
        QTest::newRow("runs of spaces") << QStringLiteral("  leading   and  trailing   ");
        QTest::newRow("one long word") << QStringLiteral("a supercalifragilistic word");
        QTest::newRow("overhanging ink") << QStringLiteral("f f/ j- y W Ä of if jj ff");
        QTest::newRow("latin-1") << QStringLiteral("ÁÉÍÓÚ ñÑ ¿¡ «cómo» ½ µ ÿ");
        QTest::newRow("punctuation") << QStringLiteral("(uno) [dos] {tres}: 1.000,5 % ¿qué?");
    }

    void wrappedLinesBreakWhereTheToolkitBreaksThem() {
        QFETCH(QString, text);
        for (int width = 1; width <= 150; ++width) {
            Pair pair(text, {width, 80}, true, Variant::Plain, tintaro::dialogFont());
            QVERIFY(pair.plain->drawsPlainly());
            if (!samePixels(pair.label, pair.plain))
                QFAIL(qPrintable(QStringLiteral("differs at width %1").arg(width)));
        }
    }

    // Another face, size, weight or rendering choice is the toolkit's to draw.
    void onlyTheDialogFontTakesTheFastPath_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<bool>("plain");
        const QFont dialog = tintaro::dialogFont();
        QTest::newRow("dialog font") << dialog << true;
        QFont other = dialog;
        other.setFamily(QStringLiteral("Liberation Serif"));
        QTest::newRow("another family") << other << false;
        other = dialog;
        other.setPixelSize(12);
        QTest::newRow("another size") << other << false;
        other = dialog;
        other.setBold(true);
        QTest::newRow("bold") << other << false;
        other = dialog;
        other.setItalic(true);
        QTest::newRow("italic") << other << false;
        other = dialog;
        other.setHintingPreference(QFont::PreferDefaultHinting);
        QTest::newRow("default hinting") << other << false;
        other = dialog;
        other.setStyleStrategy(QFont::PreferDefault);
        QTest::newRow("shaped") << other << false;
        other = dialog;
        other.setStrikeOut(true);
        QTest::newRow("struck out") << other << false;
        other = dialog;
        other.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        QTest::newRow("letter spacing") << other << false;
    }

    void onlyTheDialogFontTakesTheFastPath() {
        QFETCH(QFont, font);
        QFETCH(bool, plain);
        Pair pair(QStringLiteral("Faltan para cerrarse"), {97, 17}, false, Variant::Plain, font);
        QCOMPARE(pair.plain->drawsPlainly(), plain);
        QVERIFY(samePixels(pair.label, pair.plain));
    }

    void aLabelWithABuddyOrAnotherAlignmentIsTheToolkits() {
        Pair pair(QStringLiteral("&Nombre"), {60, 17}, false, Variant::Plain,
                  tintaro::dialogFont());
        QVERIFY(pair.plain->drawsPlainly());
        pair.label->setBuddy(&pair.window);
        pair.plain->setBuddy(&pair.window);
        QVERIFY(!pair.plain->drawsPlainly());
        QVERIFY(samePixels(pair.label, pair.plain));
        pair.plain->setBuddy(nullptr);
        pair.label->setBuddy(nullptr);
        pair.label->setAlignment(Qt::AlignCenter);
        pair.plain->setAlignment(Qt::AlignCenter);
        QVERIFY(!pair.plain->drawsPlainly());
        QVERIFY(samePixels(pair.label, pair.plain));
    }

    // A drawer answers for its own family and size only; a face that is not installed has none.
    void facesAreLoadedByFamilyAndSize() {
        const auto larger = PlainText::load(QStringLiteral("Liberation Sans"), 12);
        QVERIFY(larger);
        QFont font = tintaro::dialogFont();
        QVERIFY(!larger->draws(font));
        font.setPixelSize(12);
        QVERIFY(larger->draws(font));
        QVERIFY(!PlainText::dialogFace()->draws(font));
        QVERIFY(PlainText::load(QStringLiteral("No Such Face Anywhere"), 10) == nullptr);
        QVERIFY(PlainText::load(QString(), 10) == nullptr);
    }

    // The frame's caption, cut into its top lines, as the painter's own text drawing puts it.
    void aFrameCaptionDrawsAsTheToolkitDoes_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("vote window") << QStringLiteral("            Zelkor               ");
        QTest::newRow("short") << QStringLiteral("Ay");
        QTest::newRow("not latin-1") << QStringLiteral("Ωμέγα");
    }

    void aFrameCaptionDrawsAsTheToolkitDoes() {
        QFETCH(QString, title);
        QWidget window;
        window.setFont(tintaro::dialogFont());
        tintaro::EtchedFrame frame(title, &window);
        frame.setGeometry(0, 0, 145, 89);
        const QImage drawn = frame.grab().toImage();

        // The same frame drawn the toolkit's way: measured and written with the widget's font.
        QImage expected(drawn.size(), drawn.format());
        expected.setDevicePixelRatio(drawn.devicePixelRatio());
        expected.fill(frame.palette().color(QPalette::Window));
        {
            QPainter painter(&expected);
            const QFontMetrics metrics(frame.font());
            const QColor back = frame.palette().color(QPalette::Window);
            const int top = metrics.height() / 2;
            const QRect box(0, top, frame.width() - 2, frame.height() - top - 2);
            painter.setPen(back.darker(160));
            painter.drawRect(box);
            painter.setPen(back.lighter(150));
            painter.drawRect(box.translated(1, 1));
            const QRect caption(8, 0, metrics.horizontalAdvance(title), metrics.height());
            painter.fillRect(caption, back);
            painter.setPen(frame.palette().color(QPalette::WindowText));
            painter.setFont(frame.font());
            painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title);
        }
        QCOMPARE(drawn, expected);
    }

    // Built with the toolkit's private headers, the start-up text is measured off the glyphs the
    // toolkit draws (each glyph loaded once) on an unscaled screen, and the public way on a
    // scaled one, where the drawn glyphs are another size. The pixel comparisons above hold
    // either way.
    void glyphsAreMeasuredAsDrawnWhereSafe() {
#if TINTARO_SHARED_GLYPHS
        QCOMPARE(PlainText::dialogFace()->measuresDrawnGlyphs(), qApp->devicePixelRatio() == 1.0);
#else
        QVERIFY(!PlainText::dialogFace()->measuresDrawnGlyphs());
#endif
    }

    // A hand-drawn frame still reads as a group to screen readers, named as it is captioned.
    void aFrameIsAGroupNamedByItsCaption() {
        QWidget window;
        tintaro::EtchedFrame frame(QStringLiteral("   Panel   "), &window);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&frame);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Grouping);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Panel"));
        frame.setAccessibleName(QStringLiteral("Zelkor"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Zelkor"));
    }
};

QTEST_MAIN(PlainTextTest)
#include "PlainTextTest.moc"
