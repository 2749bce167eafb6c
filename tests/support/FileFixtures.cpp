// SPDX-License-Identifier: MIT
#include "FileFixtures.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tintaro::test {

void writeFile(const std::filesystem::path& file, std::string_view content) {
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::filesystem::path makePrefix(const std::filesystem::path& root) {
    const auto driveC = root / "drive_c";
    std::filesystem::create_directories(root / "dosdevices");
    std::filesystem::create_directories(driveC);
    // Relative, as Wine makes it, so that the prefix may be moved.
    std::filesystem::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    return driveC;
}

} // namespace tintaro::test
