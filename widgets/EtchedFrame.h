// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace tintaro {

// A frame in the classic etched look: a dark and a light line just inside its edges, broken at
// the top by the caption when there is one, the palette's window colour inside. The toolkit's
// group box shades its inside, which would not keep a panel's exact colour, and measures its
// caption's font as soon as it is sized. Screen readers get it as a group, named by its
// accessible name, else its caption.
class EtchedFrame final : public QWidget {
public:
    explicit EtchedFrame(const QString& title = {}, QWidget* parent = nullptr);

    // The caption is kept as the widget's window title, where screen readers find it.
    QString title() const { return windowTitle(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintaro
