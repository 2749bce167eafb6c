// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <filesystem>

namespace tintaro {

// An advisory lock (fcntl) on a lock file, so that two Tintaro processes never edit the same
// registry file at once. Held from construction until destruction.
class RegFileLock {
public:
    // Tries for up to `patience` to lock `lockFile`, creating it if needed.
    explicit RegFileLock(const std::filesystem::path& lockFile,
                         std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~RegFileLock();
    RegFileLock(const RegFileLock&) = delete;
    RegFileLock& operator=(const RegFileLock&) = delete;

    // 0 when held, else the Windows error code of the failure.
    long error() const { return m_error; }

private:
    int m_fd = -1;
    long m_error = 0;
};

} // namespace tintaro
