// SPDX-License-Identifier: MIT
#include "SurfaceWidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace tintaro {

namespace {

// The surface's pixels as an image, without a copy (an empty surface gives a null image).
QImage wrapPixels(Surface& surface) {
    return QImage(reinterpret_cast<uchar*>(surface.pixels()), surface.width(), surface.height(),
                  static_cast<qsizetype>(surface.width()) * 4, QImage::Format_RGB32);
}

} // namespace

SurfaceWidget::SurfaceWidget(Surface& surface, QWidget* parent)
    : QWidget(parent)
    , m_surface(surface)
    , m_image(wrapPixels(surface)) {
    // Every pixel of the widget is painted in paintEvent, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(surface.width(), surface.height());
}

void SurfaceWidget::present() {
    const Rect dirty = m_surface.takeDirty();
    if (!dirty.isEmpty())
        update(QRect(dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top));
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Each rectangle of the region on its own: the bounding box of two far-apart changes (the
    // marker and the slider) would redraw everything between them.
    for (const QRect& area : event->region()) {
        const QRect shown = area & m_image.rect();
        // In bands of few rows: the raster engine hands a tall copy to its thread pool, whose
        // wake-ups cost more than the copy of a narrow strip.
        constexpr int kBandRows = 64;
        for (int top = shown.top(); top <= shown.bottom(); top += kBandRows) {
            const QRect band(shown.left(), top, shown.width(),
                             std::min(kBandRows, shown.bottom() + 1 - top));
            painter.drawImage(band, m_image, band);
        }
        // A widget stretched beyond its surface shows the window's background there.
        const QRegion rest = QRegion(area).subtracted(QRegion(shown));
        for (const QRect& r : rest)
            painter.fillRect(r, palette().window());
    }
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    event->accept();
    m_capturedButtons |= event->button();
    Q_EMIT mousePressed(event->position(), event->button(), event->buttons(), event->modifiers());
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    // A release that never reached the widget (taken by a popup, say) ends the capture.
    m_capturedButtons &= event->buttons();
    const bool captured = (event->buttons() & m_capturedButtons) != Qt::NoButton;
    const bool hovering = event->buttons() == Qt::NoButton && !childAt(event->position().toPoint());
    if (!captured && !hovering) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT mouseMoved(event->position(), event->buttons(), event->modifiers());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (!(m_capturedButtons & event->button())) {
        event->ignore();
        return;
    }
    event->accept();
    m_capturedButtons &= ~Qt::MouseButtons(event->button());
    Q_EMIT mouseReleased(event->position(), event->button(), event->buttons(), event->modifiers());
}

Surface::TextPainter makeTextPainter(const QFont& font) {
    return [font](Surface& surface, int x, int y, std::string_view text, ColorRef colour) {
        const QFontMetrics metrics(font);
        const int lineHeight = metrics.height();
        QImage image = wrapPixels(surface);
        const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        if (image.isNull() || line.isEmpty())
            return lineHeight;

        // Text that cannot reach the surface is skipped before any coordinate arithmetic, which
        // could overflow for positions near the ends of int.
        const std::int64_t margin = lineHeight + metrics.maxWidth();
        const std::int64_t advance = metrics.horizontalAdvance(line);
        if (x > surface.width() + margin || y > surface.height() + margin ||
            std::int64_t{x} + advance < -margin || std::int64_t{y} + lineHeight < -margin)
            return lineHeight;

        const QPoint baseline(x, y + metrics.ascent());
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(toQColor(colour));
            painter.drawText(baseline, line);
        }
        // Glyphs may overhang their advance (italics) or the line (accents), so the dirty
        // rectangle covers the ink as well as the line box.
        const QRect ink = metrics.boundingRect(line).translated(baseline);
        const QRect box(x, y, static_cast<int>(advance), lineHeight);
        const QRect changed = (ink | box).adjusted(-1, -1, 1, 1) & image.rect();
        if (!changed.isEmpty())
            surface.invalidate(
                Rect{changed.left(), changed.top(), changed.right() + 1, changed.bottom() + 1});
        return lineHeight;
    };
}

void paintImage(Surface& surface, const QImage& image, int x, int y) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    // Clipped in 64 bits: a far-off position must not overflow.
    const std::int64_t left = std::max<std::int64_t>(0, x);
    const std::int64_t top = std::max<std::int64_t>(0, y);
    const std::int64_t right =
        std::min<std::int64_t>(surface.width(), std::int64_t{x} + source.width());
    const std::int64_t bottom =
        std::min<std::int64_t>(surface.height(), std::int64_t{y} + source.height());
    // Written straight into the pixel rows (0xFFRRGGBB, like an opaque source pixel), with one
    // dirty rectangle around what was drawn.
    std::int64_t drawnLeft = right, drawnTop = bottom, drawnRight = left, drawnBottom = top;
    for (std::int64_t row = top; row < bottom; ++row) {
        const auto* line =
            reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(row - y)));
        std::uint32_t* out = surface.pixels() + row * surface.width();
        for (std::int64_t column = left; column < right; ++column) {
            const QRgb pixel = line[column - x];
            const std::uint32_t alpha = qAlpha(pixel);
            if (alpha == 0)
                continue;
            drawnLeft = std::min(drawnLeft, column);
            drawnRight = std::max(drawnRight, column + 1);
            drawnTop = std::min(drawnTop, row);
            drawnBottom = row + 1;
            if (alpha == 255) {
                out[column] = pixel;
                continue;
            }
            const QRgb under = out[column];
            const auto blend = [alpha](std::uint32_t over, std::uint32_t below) {
                return int((over * alpha + below * (255 - alpha) + 127) / 255);
            };
            out[column] = qRgb(blend(qRed(pixel), qRed(under)), blend(qGreen(pixel), qGreen(under)),
                               blend(qBlue(pixel), qBlue(under)));
        }
    }
    if (drawnLeft < drawnRight && drawnTop < drawnBottom)
        surface.invalidate(Rect{static_cast<int>(drawnLeft), static_cast<int>(drawnTop),
                                static_cast<int>(drawnRight), static_cast<int>(drawnBottom)});
}

} // namespace tintaro
