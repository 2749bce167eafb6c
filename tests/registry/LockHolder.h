#pragma once

#include <filesystem>
#include <sys/types.h>

namespace tintaro::test {

// A child process holding a POSIX write lock on a file, as a running wineserver holds its lock.
// (Locks of the test process itself are invisible to its own F_GETLK.)
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& file);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool locked() const { return m_locked; }

private:
    pid_t m_pid = -1;
    bool m_locked = false;
};

// The wineserver folder name of `prefix`: server-<device hex>-<inode hex>.
std::string serverFolderName(const std::filesystem::path& prefix);

} // namespace tintaro::test
