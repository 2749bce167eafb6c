// SPDX-License-Identifier: MIT
#include "LockHolder.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tintaro::test {

LockHolder::LockHolder(const std::filesystem::path& file)
    : LockHolder(file, lockHolderProgram()) {}

LockHolder::LockHolder(const std::filesystem::path& file, const std::filesystem::path& program,
                       uid_t user) {
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(ready[0]);
        if (user != static_cast<uid_t>(-1) && ::setuid(user) != 0)
            ::_exit(126);
        const std::string fd = std::to_string(ready[1]);
        ::execl(program.c_str(), program.c_str(), file.c_str(), fd.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(ready[1]);
    char answer = 'n';
    if (m_pid > 0) {
        [[maybe_unused]] const auto got = ::read(ready[0], &answer, 1);
    }
    m_locked = answer == 'y';
    ::close(ready[0]);
}

std::filesystem::path lockHolderProgram() {
    return TINTARO_LOCK_HOLDER;
}

std::filesystem::path copyLockHolder(const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(lockHolderProgram(), to);
    return to;
}

LockHolder::~LockHolder() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

std::string serverFolderName(const std::filesystem::path& prefix) {
    struct stat st {};
    ::stat(prefix.c_str(), &st);
    char name[64];
    std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return name;
}

} // namespace tintaro::test
