// SPDX-License-Identifier: MIT
#include "RegFileLock.h"

#include "RegErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace tintaro {

RegFileLock::RegFileLock(const std::filesystem::path& lockFile,
                         std::chrono::milliseconds patience) {
    m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (m_fd < 0) {
        m_error = RegErrors::fromErrno(errno);
        return;
    }
    // Polling rather than F_SETLKW: a stuck holder must not freeze the caller for good.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fcntl(m_fd, F_SETLK, &lock) == 0)
            return;
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            m_error = errno == EACCES || errno == EAGAIN ? RegErrors::kLockViolation
                                                         : RegErrors::fromErrno(errno);
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

RegFileLock::~RegFileLock() {
    // Closing the descriptor releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace tintaro
