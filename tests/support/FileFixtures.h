// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tintaro::test {

// Writes `content` to `file` (replacing it), creating the folders above it. Throws
// std::runtime_error when the file cannot be written, so that a fixture never goes missing
// unnoticed.
void writeFile(const std::filesystem::path& file, std::string_view content);

// The whole content of `file`; empty when it is missing or unreadable.
std::string readFile(const std::filesystem::path& file);

// Lays out `root` as Wine lays out a prefix for its drive C: a `drive_c` folder and the
// `dosdevices/c:` link to it. Gives the `drive_c` folder.
std::filesystem::path makePrefix(const std::filesystem::path& root);

} // namespace tintaro::test
