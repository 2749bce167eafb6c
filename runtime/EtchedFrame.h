#pragma once

#include <QGroupBox>

namespace tintaro {

// A frame in the classic etched look: a dark and a light line just inside its edges, broken at
// the top by the caption when there is one, the palette's window colour inside. The toolkit's
// group box shades its inside, which would not keep a panel's exact colour.
class EtchedFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tintaro
