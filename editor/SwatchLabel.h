// SPDX-License-Identifier: MIT
#pragma once

#include "ClickLabel.h"
#include "Surface.h"

namespace tintaro {

// A colour swatch whose background colour is a COLORREF value. The editor keeps its selected
// colour here and nowhere else, and sets it on every drag step, so setting it only stores the
// value and repaints when it changed: no palette or style work. Screen readers hear the colour
// as its accessible description.
class SwatchLabel : public ClickLabel {
    Q_OBJECT

public:
    explicit SwatchLabel(QWidget* parent = nullptr);

    // The background colour as set, 0x00BBGGRR.
    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef m_backColor = 0;
};

} // namespace tintaro
