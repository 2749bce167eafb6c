// SPDX-License-Identifier: MIT
#include "Console.h"

namespace tintaro {

void attachToParentConsole() {}

} // namespace tintaro
