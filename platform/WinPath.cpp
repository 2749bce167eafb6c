#include "platform/WinPath.h"

#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tintaro {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool entryExists(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of `dir` whose name equals `name` ignoring case, if any.
std::string findIgnoringCase(const std::filesystem::path& dir, std::string_view name) {
    DIR* stream = ::opendir(dir.c_str());
    if (!stream)
        return {};
    std::string found;
    while (const dirent* entry = ::readdir(stream)) {
        if (equalsIgnoringCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(stream);
    return found;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::filesystem::path unixPathOf(const std::filesystem::path& prefix, std::string_view winPath) {
    const bool hasDrive =
        winPath.size() >= 2 && winPath[1] == ':' &&
        ((winPath[0] >= 'A' && winPath[0] <= 'Z') || (winPath[0] >= 'a' && winPath[0] <= 'z'));
    if (!hasDrive)
        return {};
    const char drive = lowerAscii(winPath[0]);

    std::filesystem::path root = prefix / "dosdevices" / std::string{drive, ':'};
    if (drive == 'c' && !entryExists(root))
        root = prefix / "drive_c";

    std::vector<std::string_view> components;
    std::size_t pos = 2;
    while (pos <= winPath.size()) {
        std::size_t end = winPath.find_first_of("\\/", pos);
        if (end == std::string_view::npos)
            end = winPath.size();
        const std::string_view part = winPath.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!components.empty())
                components.pop_back();
            continue;
        }
        components.push_back(part);
    }

    // Most paths exist exactly as written; one lstat spares the walk.
    std::vector<std::filesystem::path> exact{root};
    exact.reserve(components.size() + 1);
    for (const std::string_view part : components)
        exact.push_back(exact.back() / std::string(part));
    if (components.empty() || entryExists(exact.back()))
        return exact.back();

    // An entry that exists as written has every folder above it as written too, so the
    // case-insensitive walk starts below the deepest such entry.
    std::size_t known = components.size() - 1;
    while (known > 0 && !entryExists(exact[known]))
        --known;
    std::filesystem::path result = exact[known];
    bool missing = false;
    for (std::size_t k = known; k < components.size(); ++k) {
        const std::string_view part = components[k];
        std::filesystem::path next = result / std::string(part);
        if (!missing && !entryExists(next)) {
            const std::string match = findIgnoringCase(result, part);
            if (match.empty())
                missing = true; // nothing below a missing folder can exist either
            else
                next = result / match;
        }
        result = std::move(next);
    }
    return result;
}

} // namespace tintaro
