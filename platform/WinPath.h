#pragma once

#include <filesystem>
#include <string_view>

namespace tintaro {

// Maps a Windows path ("C:\users\ana\file.txt", '\' or '/' between components) onto the Unix
// file system of a Wine prefix: the drive goes through the prefix's dosdevices link ("c:",
// "z:", ...; C: falls back to drive_c), and each component that does not exist with its exact
// case is matched case-insensitively (ASCII letters) against the folder's entries, the first
// match in directory order winning, as Windows would find it. "." and ".." are resolved
// lexically and never climb above the drive. A component that matches nothing is kept as
// written, so the result names a missing file. A path without a drive letter (relative, UNC)
// gives an empty path.
std::filesystem::path unixPathOf(const std::filesystem::path& prefix, std::string_view winPath);

// ASCII case-insensitive equality, as the file name comparisons use.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace tintaro
