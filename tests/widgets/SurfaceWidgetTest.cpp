// SPDX-License-Identifier: MIT
#include "SurfaceWidget.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <climits>
#include <vector>

using tintaro::RGB;
using tintaro::Surface;
using tintaro::SurfaceWidget;

namespace {

tintaro::ColorRef patternAt(int x, int y) {
    return RGB((x * 7) & 255, (y * 11) & 255, (x + y) & 255);
}

void fillPattern(Surface& surface) {
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y, patternAt(x, y));
}

QRgb toQRgb(tintaro::ColorRef colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Compares every device pixel of `image` (a picture of the widget at its device pixel ratio)
// with the surface pixel it shows; returns the first mismatch or an empty string.
QString firstMismatch(const QImage& image, const Surface& surface) {
    // Screen grabs do not always carry their ratio; the size tells it.
    const int ratio = surface.width() > 0 ? image.width() / surface.width() : 1;
    if (ratio < 1 || image.width() != surface.width() * ratio ||
        image.height() != surface.height() * ratio)
        return QStringLiteral("size %1x%2 at ratio %3")
            .arg(image.width())
            .arg(image.height())
            .arg(ratio);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected = toQRgb(surface.point(x / ratio, y / ratio));
            const QRgb got = image.pixel(x, y) | 0xFF000000u;
            if (got != expected)
                return QStringLiteral("device pixel (%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(got, 8, 16)
                    .arg(expected, 8, 16);
        }
    }
    return {};
}

// Records the rectangles of the paint events a widget receives.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QList<QRegion> paints;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            paints.append(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

// A paint device that records where images are drawn, to tell what a paint costs.
class DrawRecorder : public QPaintDevice {
public:
    explicit DrawRecorder(QSize size)
        : m_size(size) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    QRegion drawn;
    qint64 drawnArea = 0;

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(DrawRecorder* owner)
            : QPaintEngine(AllFeatures)
            , m_owner(owner) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF& r, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {
            const QRect rect = r.toRect();
            m_owner->drawn += rect;
            m_owner->drawnArea += qint64(rect.width()) * rect.height();
        }
        Type type() const override { return User; }

    private:
        DrawRecorder* m_owner;
    };
    QSize m_size;
    mutable Engine m_engine{this};
};

void flushPaints() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QString describe(QPointF p) {
    return QString::number(p.x()) + QLatin1Char(',') + QString::number(p.y());
}

QString buttonsText(Qt::MouseButtons buttons) {
    QString text;
    if (buttons & Qt::LeftButton)
        text += QLatin1Char('L');
    if (buttons & Qt::RightButton)
        text += QLatin1Char('R');
    if (buttons & Qt::MiddleButton)
        text += QLatin1Char('M');
    return text.isEmpty() ? QStringLiteral("-") : text;
}

// The signals of a widget, as one line each.
QStringList* recordSignals(SurfaceWidget& widget) {
    auto* log = new QStringList;
    QObject::connect(&widget, &QObject::destroyed, [log] { delete log; });
    QObject::connect(
        &widget, &SurfaceWidget::mousePressed,
        [log](QPointF p, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers m) {
            *log << QStringLiteral("press %1 %2 %3%4")
                        .arg(describe(p), buttonsText(b), buttonsText(held),
                             m & Qt::ShiftModifier ? QStringLiteral(" shift") : QString());
        });
    QObject::connect(&widget, &SurfaceWidget::mouseMoved,
                     [log](QPointF p, Qt::MouseButtons held, Qt::KeyboardModifiers) {
                         *log << QStringLiteral("move %1 %2").arg(describe(p), buttonsText(held));
                     });
    QObject::connect(
        &widget, &SurfaceWidget::mouseReleased,
        [log](QPointF p, Qt::MouseButton b, Qt::MouseButtons held, Qt::KeyboardModifiers) {
            *log << QStringLiteral("release %1 %2 %3")
                        .arg(describe(p), buttonsText(b), buttonsText(held));
        });
    return log;
}

void send(QWidget* target, QEvent::Type type, QPointF position, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, position, target->mapToGlobal(position), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

} // namespace

class SurfaceWidgetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsExactlyTheSurfacePixels();
    void rendersSharpAtDoubleScale();
    void presentRepaintsOnlyWhatChanged();
    void repaintCoversEachRectangleNotTheirBox();
    void mouseSignalsKeepFractionsAndCapture();
    void mouseOverChildControlsIsTheirs();
    void textPainterDrawsInColourWithinTheLine();
    void textPainterHostileInput();
    void textPainterServesPrint();
    void paintImageCopiesBlendsAndClips();
};

void SurfaceWidgetTest::showsExactlyTheSurfacePixels() {
    Surface surface(41, 29, RGB(1, 2, 3));
    fillPattern(surface);
    SurfaceWidget widget(surface);
    QCOMPARE(widget.size(), QSize(41, 29));
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QString mismatch = firstMismatch(widget.grab().toImage(), surface);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void SurfaceWidgetTest::rendersSharpAtDoubleScale() {
    Surface surface(16, 12, RGB(0, 0, 0));
    fillPattern(surface);
    SurfaceWidget widget(surface);
    QImage image(32, 24, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::magenta);
    widget.render(&image);
    const QString mismatch = firstMismatch(image, surface);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void SurfaceWidgetTest::presentRepaintsOnlyWhatChanged() {
    Surface surface(60, 40, RGB(200, 200, 200));
    fillPattern(surface);
    SurfaceWidget widget(surface);
    PaintRecorder recorder(&widget);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    surface.takeDirty();
    flushPaints();
    recorder.paints.clear();

    widget.present(); // nothing changed
    flushPaints();
    QCOMPARE(recorder.paints.size(), 0);

    surface.setPixel(7, 9, RGB(255, 0, 0));
    surface.setPixel(12, 11, RGB(0, 0, 255));
    flushPaints();
    QCOMPARE(recorder.paints.size(), 0); // drawing alone does not repaint
    widget.present();
    QVERIFY(surface.takeDirty().isEmpty());
    flushPaints();
    QCOMPARE(recorder.paints.size(), 1);
    QCOMPARE(recorder.paints[0], QRegion(7, 9, 6, 3));

    // What reached the screen is the surface, changed pixels included. (The offscreen screen
    // grabs only the top-left part of a scaled window, so this check runs unscaled.)
    const QPixmap onScreen = widget.screen()->grabWindow(widget.winId());
    if (widget.devicePixelRatio() == 1) {
        const QString mismatch = firstMismatch(onScreen.toImage(), surface);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    const QString mismatch = firstMismatch(widget.grab().toImage(), surface);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void SurfaceWidgetTest::repaintCoversEachRectangleNotTheirBox() {
    // The offscreen screen grabs only the top-left part of a scaled window.
    Surface surface(200, 150, RGB(0, 0, 0));
    fillPattern(surface);
    SurfaceWidget widget(surface);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    flushPaints();

    // Each rectangle is copied once, and nothing of the box between them.
    const QRegion asked = QRegion(3, 5, 7, 135) + QRegion(180, 100, 15, 10);
    DrawRecorder recorder(widget.size());
    widget.render(&recorder, QPoint(), asked);
    QCOMPARE(recorder.drawn, asked);
    QCOMPARE(recorder.drawnArea, 7 * 135 + 15 * 10);

    if (widget.devicePixelRatio() != 1)
        QSKIP("the offscreen screen grab is unscaled");

    // Two far-apart areas, the first taller than any single copy, and a change between them
    // that is not asked to be shown.
    const QRect tall(3, 5, 7, 135);
    const QRect small(180, 100, 15, 10);
    const QRect between(90, 60, 10, 10);
    const tintaro::ColorRef changed = RGB(255, 0, 128);
    for (const QRect& r : {tall, small, between})
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                surface.setPixel(x, y, changed);
    widget.update(QRegion(tall) + QRegion(small));
    flushPaints();

    const QImage shown = widget.screen()->grabWindow(widget.winId()).toImage();
    QCOMPARE(shown.size(), QSize(200, 150));
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const bool repainted = tall.contains(x, y) || small.contains(x, y);
            const QRgb expected = toQRgb(repainted ? changed : patternAt(x, y));
            const QRgb got = shown.pixel(x, y) | 0xFF000000u;
            QVERIFY2(got == expected, qPrintable(QStringLiteral("(%1, %2): %3 instead of %4")
                                                     .arg(x)
                                                     .arg(y)
                                                     .arg(got, 8, 16)
                                                     .arg(expected, 8, 16)));
        }
    }
}

void SurfaceWidgetTest::mouseSignalsKeepFractionsAndCapture() {
    Surface surface(100, 80, RGB(0, 0, 0));
    SurfaceWidget widget(surface);
    QStringList* log = recordSignals(widget);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    log->clear(); // a hover from showing the window, if any

    send(&widget, QEvent::MouseMove, {30.5, 5.5}, Qt::NoButton, Qt::NoButton);
    send(&widget, QEvent::MouseButtonPress, {10.25, 20.75}, Qt::LeftButton, Qt::LeftButton,
         Qt::ShiftModifier);
    send(&widget, QEvent::MouseMove, {11.5, 21.125}, Qt::NoButton, Qt::LeftButton);
    // Dragged out of the window: still the widget's, positions unclamped.
    send(&widget, QEvent::MouseMove, {-3.5, 90.25}, Qt::NoButton, Qt::LeftButton);
    send(&widget, QEvent::MouseButtonRelease, {-3.5, 90.25}, Qt::LeftButton, Qt::NoButton);
    // A release whose press the widget never saw is not its.
    send(&widget, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    // A double click is a press; the right button is reported as such.
    send(&widget, QEvent::MouseButtonPress, {1, 2}, Qt::RightButton, Qt::RightButton);
    send(&widget, QEvent::MouseButtonRelease, {1, 2}, Qt::RightButton, Qt::NoButton);
    send(&widget, QEvent::MouseButtonDblClick, {1, 2}, Qt::RightButton, Qt::RightButton);
    send(&widget, QEvent::MouseButtonRelease, {1, 2}, Qt::RightButton, Qt::NoButton);

    QCOMPARE(*log, QStringList({
                       QStringLiteral("move 30.5,5.5 -"),
                       QStringLiteral("press 10.25,20.75 L L shift"),
                       QStringLiteral("move 11.5,21.125 L"),
                       QStringLiteral("move -3.5,90.25 L"),
                       QStringLiteral("release -3.5,90.25 L -"),
                       QStringLiteral("press 1,2 R R"),
                       QStringLiteral("release 1,2 R -"),
                       QStringLiteral("press 1,2 R R"),
                       QStringLiteral("release 1,2 R -"),
                   }));
}

void SurfaceWidgetTest::mouseOverChildControlsIsTheirs() {
    Surface surface(100, 80, RGB(0, 0, 0));
    SurfaceWidget widget(surface);
    auto* label = new QLabel(QStringLiteral("Hex:"), &widget);
    label->setGeometry(50, 10, 30, 20);
    QStringList* log = recordSignals(widget);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    log->clear();

    // A click on the label (which does not take it) passes the widget by.
    send(label, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    // Moves of that drag over the free area belong to the label's press.
    send(&widget, QEvent::MouseMove, {20, 60}, Qt::NoButton, Qt::LeftButton);
    send(label, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    // Hovering over the label is not hovering over the surface.
    send(&widget, QEvent::MouseMove, {60, 15}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(*log, QStringList());

    // A drag that starts on the surface keeps going over the label.
    send(&widget, QEvent::MouseButtonPress, {20.5, 20}, Qt::LeftButton, Qt::LeftButton);
    send(&widget, QEvent::MouseMove, {60.75, 15}, Qt::NoButton, Qt::LeftButton);
    send(&widget, QEvent::MouseButtonRelease, {60.75, 15}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(*log,
             QStringList({QStringLiteral("press 20.5,20 L L"), QStringLiteral("move 60.75,15 L"),
                          QStringLiteral("release 60.75,15 L -")}));
}

void SurfaceWidgetTest::textPainterDrawsInColourWithinTheLine() {
    const tintaro::ColorRef white = RGB(255, 255, 255);
    const tintaro::ColorRef ink = RGB(200, 30, 60); // red in the low byte
    Surface surface(200, 80, white);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(28);
    font.setBold(true);
    const Surface::TextPainter painter = tintaro::makeTextPainter(font);
    surface.takeDirty();

    const int lineHeight = painter(surface, 10, 20, "HIH", ink);
    QCOMPARE(lineHeight, QFontMetrics(font).height());

    int exact = 0;
    int changed = 0;
    const tintaro::Rect dirty = surface.takeDirty();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const tintaro::ColorRef c = surface.point(x, y);
            if (c == white)
                continue;
            ++changed;
            if (c == ink)
                ++exact;
            QVERIFY2(y >= 20 && y < 20 + lineHeight,
                     qPrintable(QStringLiteral("ink at row %1").arg(y)));
            QVERIFY2(x >= 10, qPrintable(QStringLiteral("ink at column %1").arg(x)));
            QVERIFY2(x >= dirty.left && x < dirty.right && y >= dirty.top && y < dirty.bottom,
                     qPrintable(QStringLiteral("(%1, %2) changed but not dirty").arg(x).arg(y)));
            // Edge pixels are blends of ink and paper, never another hue.
            const int red = c & 0xFF;
            const int blue = (c >> 16) & 0xFF;
            QVERIFY(red >= 200 && blue >= 60);
        }
    }
    QVERIFY2(exact > 50, qPrintable(QStringLiteral("%1 pixels in the exact colour").arg(exact)));
    QVERIFY(changed >= exact);
}

void SurfaceWidgetTest::textPainterHostileInput() {
    Surface surface(50, 30, RGB(0, 0, 0));
    const std::vector<std::uint32_t> before(surface.pixels(), surface.pixels() + 50 * 30);
    const Surface::TextPainter painter =
        tintaro::makeTextPainter(QFont(QStringLiteral("Liberation Sans")));
    const int lineHeight = QFontMetrics(QFont(QStringLiteral("Liberation Sans"))).height();
    surface.takeDirty();

    // Nothing to draw, or drawn wholly off the surface: nothing changes, nothing is dirty.
    QCOMPARE(painter(surface, 5, 5, "", RGB(255, 255, 255)), lineHeight);
    QCOMPARE(painter(surface, -5000, 5, "far left", RGB(255, 255, 255)), lineHeight);
    QCOMPARE(painter(surface, 5, INT_MAX - 10, "far below", RGB(255, 255, 255)), lineHeight);
    QCOMPARE(painter(surface, INT_MIN + 10, INT_MIN + 10, "far up", RGB(255, 255, 255)),
             lineHeight);
    QVERIFY(surface.takeDirty().isEmpty());
    QVERIFY(std::equal(before.begin(), before.end(), surface.pixels()));

    // Invalid UTF-8, embedded NULs and a colour with a top byte draw without harm.
    const std::string junk("\xff\xfe\x00\xc3(", 5);
    QCOMPARE(painter(surface, 2, 2, junk, static_cast<tintaro::ColorRef>(0x8000000F)), lineHeight);
    QCOMPARE(painter(surface, 40, 25, "W", RGB(255, 255, 255)), lineHeight);
    const tintaro::Rect dirty = surface.takeDirty();
    QVERIFY(dirty.left >= 0 && dirty.top >= 0 && dirty.right <= 50 && dirty.bottom <= 30);

    Surface empty(0, 0, 0);
    QCOMPARE(painter(empty, 0, 0, "x", 0), lineHeight);
}

void SurfaceWidgetTest::textPainterServesPrint() {
    Surface surface(120, 60, RGB(255, 255, 255));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    surface.setTextPainter(tintaro::makeTextPainter(font));
    surface.setForeColor(RGB(0, 0, 0));
    surface.setCurrentX(312 - 300);
    surface.setCurrentY(4);
    surface.takeDirty();
    surface.print("R: 255");
    const tintaro::Rect dirty = surface.takeDirty();
    QVERIFY(!dirty.isEmpty());
    bool inked = false;
    for (int y = dirty.top; y < dirty.bottom; ++y)
        for (int x = dirty.left; x < dirty.right; ++x)
            inked = inked || surface.point(x, y) == RGB(0, 0, 0);
    QVERIFY(inked);
}

void SurfaceWidgetTest::paintImageCopiesBlendsAndClips() {
    const tintaro::ColorRef ground = RGB(10, 20, 30);
    Surface surface(4, 4, ground);
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 255, 0, 0));
    image.setPixel(2, 0, qRgba(200, 100, 50, 128));
    image.setPixel(0, 1, qRgba(1, 2, 3, 255));
    image.setPixel(1, 1, qRgba(250, 251, 252, 255));
    image.setPixel(2, 1, qRgba(0, 0, 255, 255));

    surface.takeDirty();
    tintaro::paintImage(surface, image, 1, 1);
    // Only what was drawn is marked for repainting.
    QCOMPARE(surface.takeDirty(), (tintaro::Rect{1, 1, 4, 3}));
    const tintaro::ColorRef expected[4][4] = {
        {ground, ground, ground, ground},
        // 200*128 + 10*127 + 127 = 26997 -> /255 = 105 ...
        {ground, RGB(255, 0, 0), ground, RGB(105, 60, 40)},
        {ground, RGB(1, 2, 3), RGB(250, 251, 252), RGB(0, 0, 255)},
        {ground, ground, ground, ground},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            QCOMPARE(surface.point(x, y), expected[y][x]);

    // Fully transparent rows and columns at the edges are left out of the dirty rectangle, and
    // a fully transparent picture marks nothing.
    QImage framed(4, 3, QImage::Format_ARGB32);
    framed.fill(Qt::transparent);
    framed.setPixel(1, 1, qRgba(7, 7, 7, 255));
    framed.setPixel(2, 1, qRgba(7, 7, 7, 1));
    tintaro::paintImage(surface, framed, 0, 0);
    QCOMPARE(surface.takeDirty(), (tintaro::Rect{1, 1, 3, 2}));
    QCOMPARE(surface.point(1, 1), RGB(7, 7, 7));
    framed.fill(Qt::transparent);
    tintaro::paintImage(surface, framed, 0, 0);
    QVERIFY(surface.takeDirty().isEmpty());

    // Clipped at every edge, including positions far enough out to overflow a naive sum.
    Surface clipped(4, 4, ground);
    tintaro::paintImage(clipped, image, -2, -1);
    QCOMPARE(clipped.point(0, 0), RGB(0, 0, 255));
    QCOMPARE(clipped.point(1, 0), ground);
    tintaro::paintImage(clipped, image, 3, 3);
    QCOMPARE(clipped.point(3, 3), RGB(255, 0, 0));
    tintaro::paintImage(clipped, image, INT_MAX, INT_MAX);
    tintaro::paintImage(clipped, image, INT_MIN, INT_MIN);
    tintaro::paintImage(clipped, QImage(), 0, 0);
    QCOMPARE(clipped.point(0, 0), RGB(0, 0, 255));
    QCOMPARE(clipped.point(3, 3), RGB(255, 0, 0));

    // Any image format is taken.
    QImage rgb(1, 1, QImage::Format_RGB888);
    rgb.setPixel(0, 0, qRgb(9, 8, 7));
    tintaro::paintImage(clipped, rgb, 2, 2);
    QCOMPARE(clipped.point(2, 2), RGB(9, 8, 7));
    QImage opaque(1, 1, QImage::Format_RGB32);
    opaque.setPixel(0, 0, qRgb(6, 5, 4));
    tintaro::paintImage(clipped, opaque, 1, 2);
    QCOMPARE(clipped.point(1, 2), RGB(6, 5, 4));
}

QTEST_MAIN(SurfaceWidgetTest)
#include "SurfaceWidgetTest.moc"
