#pragma once

#include "Surface.h"

#include <QImage>
#include <QPointF>
#include <QWidget>

class QFont;

namespace tintaro {

// Shows a Surface on screen without copying it: the widget paints a QImage that wraps the
// surface's own pixels, one logical pixel per surface pixel and never smoothed, so on a scaled
// screen each pixel becomes a sharp block. Drawing into the surface shows once present() is
// called, which repaints only what changed.
//
// The widget is meant to be a window's whole client area, at (0, 0) and as large as the
// surface, with the window's controls over it (as its siblings or its children).
//
// Mouse input comes out as signals rather than by propagation, so that the positions keep their
// fractional part: positions are in the widget's logical pixels (the surface's coordinates),
// and may lie outside the widget while a button is held. The signals follow the capture rules
// of a window's own mouse events:
// - a press (a double click counts as a press) is the widget's only where none of its child
//   widgets lies under the pointer;
// - moves while a button that was pressed on the widget is held, and the release of that
//   button, are the widget's wherever the pointer is;
// - moves with no button held are the widget's where no child lies under the pointer (the
//   widget tracks the mouse, so they arrive without a button);
// - moves while a button pressed elsewhere (on a control) is held are that control's.
// Events the widget takes are accepted; the others go on to its parent as usual.
class SurfaceWidget : public QWidget {
    Q_OBJECT

public:
    // `surface` must outlive the widget and keep its size.
    explicit SurfaceWidget(Surface& surface, QWidget* parent = nullptr);

    // Takes the surface's dirty rectangle and schedules a repaint of just that part (nothing
    // when nothing changed).
    void present();

    QSize sizeHint() const override;

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
    bool childUnder(QPointF position) const;

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
