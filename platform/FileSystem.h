// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tintaro {

// The Windows file operations the program makes. On Linux they work on the Windows paths of a
// Wine prefix (see unixPathOf); on Windows they go through the system's own calls, for fully
// qualified paths only ("C:\..." or "\\server\share\..."), so that an empty base never lands on
// the current drive's root. Paths are UTF-8. Nothing here blocks on special files, follows a
// symlink loop forever or throws.

// The components of a Windows path relative to some folder, '\' or '/' between them: "." is
// dropped and ".." takes back the component before it, never climbing above the folder.
inline std::vector<std::string_view> pathComponents(std::string_view path) {
    std::vector<std::string_view> components;
    for (std::size_t pos = 0, end = 0; pos <= path.size(); pos = end + 1) {
        end = std::min(path.find_first_of("\\/", pos), path.size());
        const std::string_view part = path.substr(pos, end - pos);
        if (part == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!part.empty() && part != ".") {
            components.push_back(part);
        }
    }
    return components;
}

// An open file or folder of the system: a descriptor on Linux, a HANDLE on Windows. Closes itself.
class SystemHandle {
public:
#ifdef _WIN32
    using Native = void*;
    static constexpr Native kNone = nullptr;
#else
    using Native = int;
    static constexpr Native kNone = -1;
#endif
    explicit SystemHandle(Native native)
        : m_native(native) {}
    SystemHandle(SystemHandle&& other) noexcept
        : m_native(std::exchange(other.m_native, kNone)) {}
    SystemHandle& operator=(SystemHandle&&) = delete;
    ~SystemHandle();

    Native get() const {
        return m_native;
    }

private:
    Native m_native;
};

// A file opened for binary reading.
class BinaryFile {
public:
    // The file's size in bytes, taken when it was opened.
    std::int64_t length() const { return m_length; }
    // Up to `count` bytes from `offset` on; fewer when the file is shorter or a read fails.
    std::vector<std::uint8_t> readAt(std::uint64_t offset, std::size_t count) const;

    // Takes over `handle` when it is open on a regular file; closes it otherwise.
    static std::optional<BinaryFile> adopt(SystemHandle::Native handle);

private:
    BinaryFile(SystemHandle::Native handle, std::int64_t length)
        : m_handle(handle)
        , m_length(length) {}
    SystemHandle m_handle;
    std::int64_t m_length = 0;
};

// The low 32 bits of an opened file's size; -1 when it did not open.
inline std::int32_t fileLengthOf(const std::optional<BinaryFile>& file) {
    return file ? static_cast<std::int32_t>(static_cast<std::uint32_t>(file->length())) : -1;
}

// A folder held open. Paths below it, relative Windows paths ('\' or '/' between components, "."
// and ".." never leaving the folder), are found from it without walking down from the drive
// again for each.
class OpenFolder {
public:
    // As FileSystem's operations of the same names, for a path below this folder.
    std::optional<OpenFolder> folder(std::string_view relativePath) const;
    std::int32_t fileLength(std::string_view relativePath) const {
        return fileLengthOf(openBinary(relativePath));
    }
    std::optional<BinaryFile> openBinary(std::string_view relativePath) const;

private:
    friend class FileSystem;
#ifdef _WIN32
    explicit OpenFolder(std::string path)
        : m_path(std::move(path)) {}
    std::string below(std::string_view relativePath) const;
    std::string m_path; // ends with a backslash
#else
    explicit OpenFolder(int fd)
        : m_fd(fd) {}
    static std::optional<OpenFolder> adopt(int fd);
    SystemHandle m_fd;
#endif
};

class FileSystem {
public:
#ifndef _WIN32
    explicit FileSystem(std::filesystem::path prefix)
        : m_prefix(std::move(prefix)) {}
#endif

    // FindFirstFile / FindNextFile: the names of the entries of a folder that match the last
    // component of `pattern` ("*" for all; "*" and "?" wildcards, case-insensitive), in the order
    // the file system returns them, "." and ".." included when it reports them. A missing or
    // unreadable folder gives no names.
    std::vector<std::string> findFiles(std::string_view pattern) const;

    // _lopen + GetFileSize: the low 32 bits of the file's size, or -1 when the path cannot be
    // opened as a file (missing, unreadable, a folder or any other non-regular entry).
    std::int32_t fileLength(std::string_view winPath) const {
        return fileLengthOf(openBinary(winPath));
    }

    // Opens a regular file for binary reading; no value when it cannot be opened.
    std::optional<BinaryFile> openBinary(std::string_view winPath) const;

    // Opens a folder for finding the paths below it; no value when it is missing or not a
    // folder. Its entries need not be readable, only searchable.
    std::optional<OpenFolder> openFolder(std::string_view winPath) const;

#ifndef _WIN32
private:
    std::filesystem::path m_prefix;
#endif
};

#ifndef _WIN32
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
#endif

} // namespace tintaro
