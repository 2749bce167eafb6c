// SPDX-License-Identifier: MIT
#include "WinPath.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `path` relative to `dirfd` (or absolute); the folder itself when empty.
const char* atPath(const std::string& path) {
    return path.empty() ? "." : path.c_str();
}

bool entryExists(int dirfd, const std::string& path) {
    struct stat info {};
    return ::fstatat(dirfd, atPath(path), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// The entry of the folder `dir` whose name equals `name` ignoring case, if any.
std::string findIgnoringCase(int dirfd, const std::string& dir, std::string_view name) {
    const int fd = ::openat(dirfd, atPath(dir), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    DIR* stream = ::fdopendir(fd);
    if (!stream) {
        ::close(fd);
        return {};
    }
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

void appendComponent(std::string& path, std::string_view component) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += component;
}

std::vector<std::string_view> pathComponents(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find_first_of("\\/", pos);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(pos, end - pos);
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
    return components;
}

std::optional<SplitWinPath> splitWinPath(const std::filesystem::path& prefix,
                                         std::string_view winPath) {
    const bool hasDrive =
        winPath.size() >= 2 && winPath[1] == ':' &&
        ((winPath[0] >= 'A' && winPath[0] <= 'Z') || (winPath[0] >= 'a' && winPath[0] <= 'z'));
    if (!hasDrive)
        return std::nullopt;
    const char drive = lowerAscii(winPath[0]);

    SplitWinPath split;
    split.root = prefix.native();
    appendComponent(split.root, "dosdevices");
    const char driveName[] = {drive, ':', '\0'};
    appendComponent(split.root, driveName);
    if (drive == 'c' && !entryExists(AT_FDCWD, split.root)) {
        split.root = prefix.native();
        appendComponent(split.root, "drive_c");
    }
    split.components = pathComponents(winPath.substr(2));
    return split;
}

std::string joinComponents(std::string base, const std::vector<std::string_view>& components) {
    for (const std::string_view part : components)
        appendComponent(base, part);
    return base;
}

std::string resolveBelow(int dirfd, const std::string& base,
                         const std::vector<std::string_view>& components) {
    // Most paths exist exactly as written; one lookup spares the walk. `ends[k]` is where the
    // path down to its k-th component ends.
    std::string exact = base;
    std::vector<std::size_t> ends{exact.size()};
    ends.reserve(components.size() + 1);
    for (const std::string_view part : components) {
        appendComponent(exact, part);
        ends.push_back(exact.size());
    }
    if (components.empty() || entryExists(dirfd, exact))
        return exact;

    // An entry that exists as written has every folder above it as written too, so the
    // case-insensitive walk starts below the deepest such entry.
    std::size_t known = components.size() - 1;
    while (known > 0 && !entryExists(dirfd, exact.substr(0, ends[known])))
        --known;
    std::string result = exact.substr(0, ends[known]);
    bool missing = false;
    for (std::size_t k = known; k < components.size(); ++k) {
        const std::string_view part = components[k];
        std::string next = result;
        appendComponent(next, part);
        // The entry just below the deepest existing one is already known to be missing as
        // written (the walk up, or the exact path, said so).
        if (!missing && (k == known || !entryExists(dirfd, next))) {
            const std::string match = findIgnoringCase(dirfd, result, part);
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

std::filesystem::path unixPathOf(const std::filesystem::path& prefix, std::string_view winPath) {
    const auto split = splitWinPath(prefix, winPath);
    if (!split)
        return {};
    return resolveBelow(AT_FDCWD, split->root, split->components);
}

} // namespace tintaro
