// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace tintaro::test {

// A fresh folder under the system's temporary folder, removed with everything in it at
// destruction, even where a test took permissions away. Links inside are removed, never followed.
class TempDir {
public:
    // Throws std::system_error when no folder can be made.
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tintaro::test
