#pragma once

#include <QLabel>

namespace tintaro {

// A label that draws a plain caption in the dialog face without the toolkit's font list (see
// PlainText), to the pixel as the label itself would: left and top aligned, wrapped at words,
// or underlined on one line. Anything else (a picture, rich text, another font, alignment or
// style, characters outside printable Latin-1) the label draws its own way.
class PlainLabel : public QLabel {
public:
    using QLabel::QLabel;

    // Whether the caption as it stands is drawn through the dialog face.
    bool drawsPlainly() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintaro
