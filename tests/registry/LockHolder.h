// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <sys/types.h>

namespace tintaro::test {

// A child process holding a POSIX write lock on a file, as a running wineserver holds its lock.
// (Locks of the test process itself are invisible to its own F_GETLK.) It runs the helper
// program, or a copy of it.
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& file);
    // The lock held by `program` (a copy of the lock-holder helper) run as its own process, so
    // that the process table names that program, as it names a real wineserver.
    // With `user` set (the test runs as root), the program runs as that user.
    LockHolder(const std::filesystem::path& file, const std::filesystem::path& program,
               uid_t user = static_cast<uid_t>(-1));
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool locked() const { return m_locked; }

private:
    pid_t m_pid = -1;
    bool m_locked = false;
};

// The helper program that holds a lock as a wineserver does (built with the tests).
std::filesystem::path lockHolderProgram();
// A copy of it at `to` (its folders made), to stand for a server installed there.
std::filesystem::path copyLockHolder(const std::filesystem::path& to);

// The wineserver folder name of `prefix`: server-<device hex>-<inode hex>.
std::string serverFolderName(const std::filesystem::path& prefix);

} // namespace tintaro::test
