// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The pieces unixPathOf works with: the Unix folder a path's drive maps to, and the path's
// components below it. No value for a path without a drive letter.
struct SplitWinPath {
    std::string root;
    std::vector<std::string_view> components; // views into the path given
};
std::optional<SplitWinPath> splitWinPath(const std::filesystem::path& prefix,
                                         std::string_view winPath);

// The components of a Windows path relative to some folder, '\' or '/' between them: "." is
// dropped and ".." takes back the component before it, never climbing above the folder.
std::vector<std::string_view> pathComponents(std::string_view path);

// Finds `components` below a folder as unixPathOf does below a drive. The folder is `base`, a
// path relative to the open folder `dirfd` (empty for that folder itself), or with AT_FDCWD an
// absolute path or one relative to the working folder. The result is relative the same way.
std::string resolveBelow(int dirfd, const std::string& base,
                         const std::vector<std::string_view>& components);

// `base` with `components` appended as written.
std::string joinComponents(std::string base, const std::vector<std::string_view>& components);

// Appends one path component with a '/' between, without parsing the whole path again.
void appendComponent(std::string& path, std::string_view component);

// ASCII case-insensitive equality, as the file name comparisons use.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace tintaro
