#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tintaro::test {

// A fresh folder removed with everything in it at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string readAll(const std::filesystem::path& file);
void writeAll(const std::filesystem::path& file, std::string_view text);

} // namespace tintaro::test
