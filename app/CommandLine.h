// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace tintaro {

// Does what the program's arguments ask for when they open no window (--help, --version,
// --list, --set, --get, or bad usage), printing to stdout and stderr, and gives the exit status:
// 0 done, 1 failed, 2 bad usage; nothing when they open the account list. A folder given with
// --prefix becomes the program's Wine prefix, Wine's included. Called before any application
// object: a use that opens no window needs no display.
std::optional<int> runCommandLine(int& argc, char** argv);

} // namespace tintaro
