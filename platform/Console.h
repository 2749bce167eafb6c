// SPDX-License-Identifier: MIT
#pragma once

namespace tintaro {

// Makes the standard output and error of a window program reach the console it was started
// from, so command-line output shows there. Output already redirected (to a file or a pipe) is
// left as it is. Nothing to do where every program has its standard streams (Linux).
#ifdef _WIN32
void attachToParentConsole();
#else
inline void attachToParentConsole() {}
#endif

} // namespace tintaro
