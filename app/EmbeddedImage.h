#pragma once

#include <QImage>

namespace tintaro {

// A picture compiled into the program: rows of 32-bit premultiplied pixels, top row first.
struct EmbeddedImage {
    int width;
    int height;
    const unsigned char* pixels;

    // The picture as an image over the same constant memory, without a copy.
    QImage image() const {
        return QImage(pixels, width, height, 4 * width, QImage::Format_ARGB32_Premultiplied);
    }
};

} // namespace tintaro
