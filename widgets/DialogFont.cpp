// SPDX-License-Identifier: MIT
#include "DialogFont.h"

namespace tintaro {

QFont dialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    // The texts are Latin: laying them out glyph by glyph looks alike and spares shaping every
    // label and list line at start-up.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    // The face's own hints keep small text as crisp as the default light hinting, without the
    // auto-hinter's scan of the whole face when it first opens.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace tintaro
