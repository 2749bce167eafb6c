// SPDX-License-Identifier: MIT
#include "FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows wildcard match, ASCII case-insensitive; "*.*" matches every name, as on Windows.
bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*" || pattern == "*.*")
        return true;
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// O_NONBLOCK keeps a FIFO or device from stalling the open; only regular files are kept.
constexpr int kFileFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
// A folder is only searched through, so it needs no read permission.
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// `path` relative to `dirfd` (or absolute); the folder itself when empty.
const char* atPath(const std::string& path) {
    return path.empty() ? "." : path.c_str();
}

bool entryExists(int dirfd, const std::string& path) {
    struct stat info {};
    return ::fstatat(dirfd, atPath(path), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// The entry of the folder `dir` whose name equals `name` ignoring case, the first in directory
// order, as Windows would find it; empty when none does.
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
        if (std::ranges::equal(std::string_view(entry->d_name), name,
                               [](char a, char b) { return lowerAscii(a) == lowerAscii(b); })) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(stream);
    return found;
}

// Appends one path component with a '/' between, without parsing the whole path again.
void appendComponent(std::string& path, std::string_view component) {
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += component;
}

// The Unix folder the drive of a Windows path maps to; no value without a drive letter.
std::optional<std::string> driveFolder(const std::filesystem::path& prefix,
                                       std::string_view winPath) {
    const char drive = winPath.size() < 2 ? 0 : lowerAscii(winPath[0]);
    if (winPath.size() < 2 || winPath[1] != ':' || drive < 'a' || drive > 'z')
        return std::nullopt;
    const std::filesystem::path root = prefix / "dosdevices" / std::string{drive, ':'};
    return drive == 'c' && !entryExists(AT_FDCWD, root) ? (prefix / "drive_c").native()
                                                        : root.native();
}

// Finds `components` below the folder `base`, a path relative to the open folder `dirfd` (empty
// for that folder itself), or with AT_FDCWD an absolute path or one relative to the working
// folder. Each component missing as written is matched ignoring case; one that matches nothing
// is kept as written, and so is everything below it.
std::string resolveBelow(int dirfd, std::string path,
                         const std::vector<std::string_view>& components) {
    bool missing = false;
    for (const std::string_view part : components) {
        std::string next = path;
        appendComponent(next, part);
        std::string match;
        if (!missing && !entryExists(dirfd, next)) {
            match = findIgnoringCase(dirfd, path, part);
            missing = match.empty();
        }
        appendComponent(path, match.empty() ? part : std::string_view(match));
    }
    return path;
}

// Opens what `components` name below the folder `base` (see resolveBelow) with `flags`; -1 when
// that fails. The path as written, the one that nearly always exists, is opened first: the open
// itself tells that it exists, and only a path missing as written is looked for in other cases.
int openResolved(int dirfd, const std::string& base,
                 const std::vector<std::string_view>& components, int flags) {
    std::string exact = base;
    for (const std::string_view part : components)
        appendComponent(exact, part);
    int fd = -1;
    do
        fd = ::openat(dirfd, atPath(exact), flags);
    while (fd < 0 && errno == EINTR);
    if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR))
        return fd;
    const std::string resolved = resolveBelow(dirfd, base, components);
    if (resolved == exact)
        return -1; // missing in any case
    do
        fd = ::openat(dirfd, resolved.c_str(), flags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

int openWinPath(const std::filesystem::path& prefix, std::string_view winPath, int flags) {
    const auto root = driveFolder(prefix, winPath);
    return root ? openResolved(AT_FDCWD, *root, pathComponents(winPath.substr(2)), flags) : -1;
}

} // namespace

std::filesystem::path unixPathOf(const std::filesystem::path& prefix, std::string_view winPath) {
    const auto root = driveFolder(prefix, winPath);
    if (!root)
        return {};
    return resolveBelow(AT_FDCWD, *root, pathComponents(winPath.substr(2)));
}

SystemHandle::~SystemHandle() {
    if (m_native != kNone)
        ::close(m_native);
}

std::vector<std::uint8_t> BinaryFile::readAt(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(m_handle.get(), bytes.data() + done, count - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

std::optional<BinaryFile> BinaryFile::adopt(int fd) {
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return BinaryFile(fd, static_cast<std::int64_t>(info.st_size));
}

std::optional<BinaryFile> openUnixFile(const std::filesystem::path& path) {
    return BinaryFile::adopt(::open(path.c_str(), kFileFlags));
}

std::optional<OpenFolder> OpenFolder::adopt(int fd) {
    if (fd < 0)
        return std::nullopt;
    return OpenFolder(fd);
}

std::optional<OpenFolder> OpenFolder::folder(std::string_view relativePath) const {
    return adopt(openResolved(m_fd.get(), {}, pathComponents(relativePath), kFolderFlags));
}

std::optional<BinaryFile> OpenFolder::openBinary(std::string_view relativePath) const {
    return BinaryFile::adopt(
        openResolved(m_fd.get(), {}, pathComponents(relativePath), kFileFlags));
}

std::vector<std::string> FileSystem::findFiles(std::string_view pattern) const {
    const std::size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos)
        return {};
    const std::string_view namePattern = pattern.substr(cut + 1);
    const std::filesystem::path dir = unixPathOf(m_prefix, pattern.substr(0, cut + 1));
    std::vector<std::string> names;
    DIR* stream = ::opendir(dir.c_str());
    if (!stream)
        return names;
    while (const dirent* entry = ::readdir(stream))
        if (wildcardMatch(namePattern, entry->d_name))
            names.emplace_back(entry->d_name);
    ::closedir(stream);
    return names;
}

std::optional<BinaryFile> FileSystem::openBinary(std::string_view winPath) const {
    return BinaryFile::adopt(openWinPath(m_prefix, winPath, kFileFlags));
}

std::optional<OpenFolder> FileSystem::openFolder(std::string_view winPath) const {
    return OpenFolder::adopt(openWinPath(m_prefix, winPath, kFolderFlags));
}

} // namespace tintaro
