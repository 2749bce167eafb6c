// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QWidget>

class QLabel;

namespace tintaro {

// The look the fixed-design windows share.

// The text face of the start-up windows: a narrow sans serif 10 pixels high, the size of the
// classic 8-point dialog font at 96 dpi. A pixel size keeps the texts fitting their fixed pixel
// layouts at any logical dpi, and one font for both windows opens one face at one size.
QFont dialogFont();

// The colours of a window drawn as a fixed light design (its own background colour, panels and
// pictures, dark text on them): the style's standard light palette with black text on white
// fields and `window` behind. Every role is set, so a dark desktop colour scheme, applied at
// start or later, cannot put light text on the fixed light panels.
QPalette lightPalette(const QColor& window);

// Makes a top-level window one the user cannot resize: a fixed client size and no maximize
// (or full-screen) button. Many window managers drop that button for a window whose minimum
// and maximum sizes agree; others (IceWM, for one) keep it unless the window asks for none.
// Minimize and close stay.
void setFixedWindowSize(QWidget* window, int width, int height);

// A square picture of the program's resources, such as ":/app/zelkor.rgba", stored as raw
// pixels (bytes R, G, B, A, rows top to bottom) so that showing it needs no image decoder.
// ImageMagick reads and writes them as `-size 96x96 -depth 8 RGBA:zelkor.rgba`.
QImage resourcePicture(const QString& path);

// A label of a fixed layout, its text at the top left, its words its name for screen readers.
QLabel* makeFixedLabel(QWidget* parent, const char* name, const QRect& geometry,
                       const QString& text);

// A frame in the classic etched look: a dark and a light line just inside its edges, broken at
// the top by the caption when there is one, the palette's window colour inside. The toolkit's
// group box shades its inside, which would not keep a panel's exact colour, and measures its
// caption's font as soon as it is sized. Screen readers get it as a group, named by its
// accessible name, else its caption.
class EtchedFrame final : public QWidget {
public:
    // The caption is kept as the widget's window title, where screen readers find it.
    explicit EtchedFrame(const QString& title = {}, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintaro
