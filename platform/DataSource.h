// SPDX-License-Identifier: MIT
#pragma once

#include "FileSystem.h"

#include <string>

namespace tintaro {

// Where this program reads Messenger's data: the current Wine prefix on Linux, the user's own
// profile on Windows.

// The file operations on that data.
FileSystem currentFileSystem();

// The user's Application Data folder as a Windows path (UTF-8) without a trailing backslash.
std::string currentAppDataFolder();

} // namespace tintaro
