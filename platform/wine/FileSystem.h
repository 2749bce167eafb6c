// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintaro {

// A file opened for binary reading. Closes itself.
class BinaryFile {
public:
    BinaryFile(BinaryFile&& other) noexcept;
    ~BinaryFile();

    // The file's size in bytes, taken when it was opened.
    std::int64_t length() const { return m_length; }
    // Up to `count` bytes from the start of the file; fewer when the file is shorter or a read
    // fails.
    std::vector<std::uint8_t> readFromStart(std::size_t count) const { return readAt(0, count); }
    // Up to `count` bytes from `offset` on, with the same shortfalls.
    std::vector<std::uint8_t> readAt(std::uint64_t offset, std::size_t count) const;

    // Takes over the descriptor `fd` when it is open on a regular file; closes it otherwise.
    static std::optional<BinaryFile> adopt(int fd);

private:
    BinaryFile(int fd, std::int64_t length)
        : m_fd(fd)
        , m_length(length) {}
    int m_fd = -1;
    std::int64_t m_length = 0;
};

// A folder of the prefix held open. Paths below it, relative Windows paths ('\' or '/' between
// components, "." and ".." never leaving the folder), are found from it as unixPathOf finds them
// below a drive, without walking down from the drive again for each. Closes itself.
class OpenFolder {
public:
    OpenFolder(OpenFolder&& other) noexcept;
    ~OpenFolder();

    // As FileSystem's operations of the same names, for a path below this folder.
    std::optional<OpenFolder> folder(std::string_view relativePath) const;
    std::int32_t fileLength(std::string_view relativePath) const;
    std::optional<BinaryFile> openBinary(std::string_view relativePath) const;

    // Takes over the descriptor `fd` of a folder; no value when it is not open.
    static std::optional<OpenFolder> adopt(int fd);

private:
    explicit OpenFolder(int fd)
        : m_fd(fd) {}
    int m_fd = -1;
};

// The Windows file operations the program makes, on the Windows paths of a Wine prefix (see
// unixPathOf). Nothing here blocks on special files, follows a symlink loop forever or throws.
class FileSystem {
public:
    explicit FileSystem(std::filesystem::path prefix)
        : m_prefix(std::move(prefix)) {}

    // FindFirstFileA / FindNextFileA: the names of the entries of a folder that match the last
    // component of `pattern` ("*" for all; "*" and "?" wildcards, case-insensitive), in the order
    // the file system returns them, "." and ".." included when it reports them. A missing or
    // unreadable folder gives no names.
    std::vector<std::string> findFiles(std::string_view pattern) const;

    // _lopen + GetFileSize: the low 32 bits of the file's size, or -1 when the path cannot be
    // opened as a file (missing, unreadable, a folder or any other non-regular entry).
    std::int32_t fileLength(std::string_view winPath) const;

    // Opens a regular file for binary reading; no value when it cannot be opened.
    std::optional<BinaryFile> openBinary(std::string_view winPath) const;

    // Opens a folder for finding the paths below it; no value when it is missing or not a
    // folder. Its entries need not be readable, only searchable.
    std::optional<OpenFolder> openFolder(std::string_view winPath) const;

private:
    std::filesystem::path m_prefix;
};

// Opens a regular Unix file for reading without blocking on special files.
std::optional<BinaryFile> openUnixFile(const std::filesystem::path& path);

// Maps a Windows path ("C:\users\ana\file.txt", '\' or '/' between components) onto the Unix
// file system of a Wine prefix: the drive goes through the prefix's dosdevices link ("c:",
// "z:", ...; C: falls back to drive_c), and each component that does not exist with its exact
// case is matched case-insensitively (ASCII letters) against the folder's entries, the first
// match in directory order winning, as Windows would find it. "." and ".." are resolved
// lexically and never climb above the drive. A component that matches nothing is kept as
// written, so the result names a missing file. A path without a drive letter (relative, UNC)
// gives an empty path.
std::filesystem::path unixPathOf(const std::filesystem::path& prefix, std::string_view winPath);

} // namespace tintaro
