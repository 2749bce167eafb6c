// SPDX-License-Identifier: MIT
#pragma once

#include "WineServer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tintaro {

// The Wine loaders to try, in order, to reach the server running for `prefix`. A server talks
// only to a Wine of its own version, and a prefix may be run by a Wine that is not the one on
// PATH (a game launcher's, or a build of one's own): the loader installed beside the server
// comes first, then `command` (found on PATH), then the 64-bit loader beside the server, the
// only one a 64-bit-only Debian installs there.
std::vector<std::string> wineLoaders(const WineServer& server, const std::filesystem::path& prefix,
                                     const std::string& command);

} // namespace tintaro
