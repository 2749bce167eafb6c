// SPDX-License-Identifier: MIT
#pragma once

#include "Surface.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <cstdint>

class QFont;

namespace tintaro {

// A colour value (0x00BBGGRR) as the toolkit's colour; the top byte is ignored.
inline QColor toQColor(ColorRef colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

// Shows a Surface on screen without copying it, one logical pixel per surface pixel and never
// smoothed, as a window's whole client area with the window's controls over it. Drawing into
// the surface shows once present() is called, which repaints only what changed.
//
// Mouse input comes out as signals, with positions in the surface's coordinates that keep their
// fraction, and follows a window's capture rules: a press (or double click) is the widget's
// where no child lies under the pointer; moves while a button pressed here is held, and that
// button's release, are the widget's wherever the pointer is; moves with no button held are
// the widget's where no child lies under the pointer. The events it does not take go on to its
// parent as usual.
class SurfaceWidget : public QWidget {
    Q_OBJECT

public:
    // `surface` must outlive the widget and keep its size.
    explicit SurfaceWidget(Surface& surface, QWidget* parent = nullptr);

    // Takes the surface's dirty rectangle and schedules a repaint of just that part (nothing
    // when nothing changed).
    void present();

Q_SIGNALS:
    // `button` is the button that changed; `buttons` those held after the event.
    void mousePressed(QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers);
    void mouseMoved(QPointF position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void mouseReleased(QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Surface& m_surface;
    QImage m_image; // wraps m_surface's pixels
    Qt::MouseButtons m_capturedButtons;
};

// A text painter for Surface::setTextPainter: draws UTF-8 text (invalid bytes show as U+FFFD)
// in `font` straight into the surface's pixels, its top-left corner at (x, y), in `colour`
// (red in the low byte), marks what it drew as dirty, and returns the font's line height
// (QFontMetrics::height()).
Surface::TextPainter makeTextPainter(const QFont& font);

// Copies `image` into `surface` with its top-left corner at (x, y), clipped at the surface's
// edges. Opaque pixels replace the surface's; translucent ones are blended over them, fully
// transparent ones leave them.
void paintImage(Surface& surface, const QImage& image, int x, int y);

} // namespace tintaro
