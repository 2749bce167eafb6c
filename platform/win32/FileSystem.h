// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintaro {

// The same file operations as the Wine build's FileSystem (platform/wine), here on native
// Windows paths through the system's own calls. Paths are UTF-8; only fully qualified paths
// ("C:\..." or "\\server\share\...") are used, so an empty base never lands on the current
// drive's root. Nothing here throws.

// A file opened for binary reading. Closes itself.
class BinaryFile {
public:
    // The file's size in bytes, taken when it was opened.
    std::int64_t length() const { return m_length; }
    // Up to `count` bytes from the start of the file; fewer when the file is shorter or a read
    // fails.
    std::vector<std::uint8_t> readFromStart(std::size_t count) const { return readAt(0, count); }
    // Up to `count` bytes from `offset` on, with the same shortfalls.
    std::vector<std::uint8_t> readAt(std::uint64_t offset, std::size_t count) const;

private:
    friend class FileSystem;
    struct Closer {
        void operator()(void* handle) const;
    };
    BinaryFile(void* handle, std::int64_t length)
        : m_handle(handle)
        , m_length(length) {}
    std::unique_ptr<void, Closer> m_handle;
    std::int64_t m_length = 0;
};

// A folder; paths below it are relative Windows paths ('\' or '/' between components, "." and
// ".." never leaving the folder).
class OpenFolder {
public:
    std::optional<OpenFolder> folder(std::string_view relativePath) const;
    std::int32_t fileLength(std::string_view relativePath) const;
    std::optional<BinaryFile> openBinary(std::string_view relativePath) const;

private:
    friend class FileSystem;
    explicit OpenFolder(std::string path)
        : m_path(std::move(path)) {}
    std::string below(std::string_view relativePath) const;
    std::string m_path; // ends with a backslash
};

class FileSystem {
public:
    // FindFirstFileW / FindNextFileW: the names of the entries matching `pattern`, in the order
    // the system returns them, "." and ".." included when it reports them. A missing or
    // unreadable folder gives no names.
    std::vector<std::string> findFiles(std::string_view pattern) const;

    // The low 32 bits of the file's size, or -1 when the path cannot be opened as a file
    // (missing, unreadable, a folder, a device).
    std::int32_t fileLength(std::string_view winPath) const;

    // Opens a regular file for binary reading; no value when it cannot be opened.
    std::optional<BinaryFile> openBinary(std::string_view winPath) const;

    // Opens a folder for finding the paths below it; no value when it is missing or not a
    // folder.
    std::optional<OpenFolder> openFolder(std::string_view winPath) const;
};

} // namespace tintaro
