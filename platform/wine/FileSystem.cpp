// SPDX-License-Identifier: MIT
#include "FileSystem.h"

#include "WinPath.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

// Opens what `components` name below the folder `base` (see resolveBelow) with `flags`; -1 when
// that fails. The path as written, the one that nearly always exists, is opened first: the open
// itself tells that it exists, and only a path missing as written is looked for in other cases.
int openResolved(int dirfd, const std::string& base,
                 const std::vector<std::string_view>& components, int flags) {
    const std::string exact = joinComponents(base, components);
    const char* const exactPath = exact.empty() ? "." : exact.c_str();
    int fd = -1;
    do
        fd = ::openat(dirfd, exactPath, flags);
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

std::int32_t lengthOf(const std::optional<BinaryFile>& file) {
    if (!file)
        return -1;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(file->length()));
}

} // namespace

BinaryFile::BinaryFile(int fd, std::int64_t length)
    : m_fd(fd)
    , m_length(length) {}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_length(other.m_length) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_length = other.m_length;
    }
    return *this;
}

BinaryFile::~BinaryFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<std::uint8_t> BinaryFile::readAt(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(m_fd, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
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
    if (path.empty())
        return std::nullopt;
    return BinaryFile::adopt(::open(path.c_str(), kFileFlags));
}

OpenFolder::OpenFolder(int fd)
    : m_fd(fd) {}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)) {}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

OpenFolder::~OpenFolder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<OpenFolder> OpenFolder::folder(std::string_view relativePath) const {
    const int fd = openResolved(m_fd, {}, pathComponents(relativePath), kFolderFlags);
    if (fd < 0)
        return std::nullopt;
    return OpenFolder(fd);
}

std::int32_t OpenFolder::fileLength(std::string_view relativePath) const {
    return lengthOf(openBinary(relativePath));
}

std::optional<BinaryFile> OpenFolder::openBinary(std::string_view relativePath) const {
    return BinaryFile::adopt(openResolved(m_fd, {}, pathComponents(relativePath), kFileFlags));
}

FileSystem::FileSystem(std::filesystem::path prefix)
    : m_prefix(std::move(prefix)) {}

std::vector<std::string> FileSystem::findFiles(std::string_view pattern) const {
    const std::size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos)
        return {};
    const std::string_view namePattern = pattern.substr(cut + 1);
    const std::filesystem::path dir = unixPathOf(m_prefix, pattern.substr(0, cut + 1));
    if (dir.empty())
        return {};
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

std::int32_t FileSystem::fileLength(std::string_view winPath) const {
    return lengthOf(openBinary(winPath));
}

std::optional<BinaryFile> FileSystem::openBinary(std::string_view winPath) const {
    const auto split = splitWinPath(m_prefix, winPath);
    if (!split)
        return std::nullopt;
    return BinaryFile::adopt(openResolved(AT_FDCWD, split->root, split->components, kFileFlags));
}

std::optional<OpenFolder> FileSystem::openFolder(std::string_view winPath) const {
    const auto split = splitWinPath(m_prefix, winPath);
    if (!split)
        return std::nullopt;
    const int fd = openResolved(AT_FDCWD, split->root, split->components, kFolderFlags);
    if (fd < 0)
        return std::nullopt;
    return OpenFolder(fd);
}

} // namespace tintaro
