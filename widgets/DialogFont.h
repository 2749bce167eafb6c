// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace tintaro {

// The text face of the start-up windows: a narrow sans serif 10 pixels high, the size of the
// classic 8-point dialog font at 96 dpi. A pixel size keeps the texts fitting their fixed pixel
// layouts at any logical dpi, and one font for both windows opens one face at one size.
QFont dialogFont();

} // namespace tintaro
