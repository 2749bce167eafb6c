// SPDX-License-Identifier: MIT
#pragma once

#include "Surface.h"

#include <QColor>
#include <cstdint>

namespace tintaro {

// A colour value (0x00BBGGRR) as the toolkit's colour; the top byte is ignored.
inline QColor toQColor(ColorRef colour) {
    const auto bits = static_cast<std::uint32_t>(colour);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

} // namespace tintaro
