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

bool entryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Appends one path component the way std::filesystem::path's operator/ would, without parsing
// the whole path again for every component.
void appendComponent(std::string& path, std::string_view component) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += component;
}

// The entry of `dir` whose name equals `name` ignoring case, if any.
std::string findIgnoringCase(const std::string& dir, std::string_view name) {
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

    std::string root = prefix.native();
    appendComponent(root, "dosdevices");
    const char driveName[] = {drive, ':', '\0'};
    appendComponent(root, driveName);
    if (drive == 'c' && !entryExists(root)) {
        root = prefix.native();
        appendComponent(root, "drive_c");
    }

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

    // Most paths exist exactly as written; one lstat spares the walk. `ends[k]` is where the
    // path down to its k-th component ends.
    std::string exact = root;
    std::vector<std::size_t> ends{exact.size()};
    ends.reserve(components.size() + 1);
    for (const std::string_view part : components) {
        appendComponent(exact, part);
        ends.push_back(exact.size());
    }
    if (components.empty() || entryExists(exact))
        return exact;

    // An entry that exists as written has every folder above it as written too, so the
    // case-insensitive walk starts below the deepest such entry.
    std::size_t known = components.size() - 1;
    while (known > 0 && !entryExists(exact.substr(0, ends[known])))
        --known;
    std::string result = exact.substr(0, ends[known]);
    bool missing = false;
    for (std::size_t k = known; k < components.size(); ++k) {
        const std::string_view part = components[k];
        std::string next = result;
        appendComponent(next, part);
        // The entry just below the deepest existing one is already known to be missing as
        // written (the walk up, or the exact path, said so).
        if (!missing && (k == known || !entryExists(next))) {
            const std::string match = findIgnoringCase(result, part);
            if (match.empty()) {
                missing = true; // nothing below a missing folder can exist either
            } else {
                next = result;
                appendComponent(next, match);
            }
        }
        result = std::move(next);
    }
    return result;
}

} // namespace tintaro
