// SPDX-License-Identifier: MIT
#pragma once

#include "FileSystem.h"

#include <chrono>
#include <filesystem>
#include <string_view>

namespace tintaro {

// The hidden file "." + name + `suffix` beside `file`, where the writer keeps its temporary
// copies and its lock.
std::filesystem::path hiddenSibling(const std::filesystem::path& file, std::string_view suffix);

// Replaces a file atomically: the new text goes to a temporary file beside it with the old
// file's permissions, is flushed to disk, and is renamed over the old file, whose folder is then
// flushed too. Any failure removes the temporary file and leaves the old file as it was.
// The steps are virtual so that a test can make one of them fail.
class RegFileWriter {
public:
    virtual ~RegFileWriter() = default;

    // Writes `content` to `path` (a regular file or a missing one; not a symbolic link). Gives 0 or
    // a Windows error code. A new file gets mode 0644 less the umask.
    long replace(const std::filesystem::path& path, std::string_view content);

    // Removes the copies that writers killed mid-write left beside `path`: regular files of this
    // user named as replace() names them, nothing else. Call only while holding the lock that
    // every writer of `path` holds, so that no copy is still in use.
    static void removeStaleCopies(const std::filesystem::path& path);

protected:
    // Each returns false with errno set on failure.
    virtual bool writeAll(int fd, std::string_view data);
    virtual bool syncFile(int fd);
    virtual bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to);
    virtual bool syncDirectory(const std::filesystem::path& dir);
};

// An advisory lock (fcntl) on a lock file, so that two Tintaro processes never edit the same
// registry file at once. Held from construction until destruction.
class RegFileLock {
public:
    // Tries for up to `patience` to lock `lockFile`, creating it if needed.
    explicit RegFileLock(const std::filesystem::path& lockFile,
                         std::chrono::milliseconds patience = std::chrono::seconds(5));
    RegFileLock(const RegFileLock&) = delete;
    RegFileLock& operator=(const RegFileLock&) = delete;

    // 0 when held, else the Windows error code of the failure.
    long error() const { return m_error; }

private:
    SystemHandle m_fd; // closing it releases the lock
    long m_error = 0;
};

} // namespace tintaro
