// SPDX-License-Identifier: MIT
#include "RegFileWriter.h"

#include "RegErrors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tintaro {

namespace {

constexpr std::string_view kTempSuffix = ".tintaro-XXXXXX";

// mkostemp's replacement for the X's: six letters or digits.
bool isTempName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
           std::ranges::all_of(name.substr(prefix.size()), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

} // namespace

std::filesystem::path hiddenSibling(const std::filesystem::path& file, std::string_view suffix) {
    // Appended piece by piece: `"." + string` makes gcc 12 at -O3 warn of overlapping copies.
    std::string name(1, '.');
    name += file.filename().native();
    name += suffix;
    return file.parent_path() / name;
}

long RegFileWriter::replace(const std::filesystem::path& path, std::string_view content) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = hiddenSibling(path, kTempSuffix).native();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return RegErrors::fromErrno(errno);

    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
        // Keeps the owner when run with the rights to; otherwise the file becomes ours, as any
        // save by Wine would make it.
        [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0644 & ~mask;
    }

    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, content) && syncFile(fd);
    int error = errno;
    // close() may report an error that a deferred write only shows there.
    const bool closed = ::close(fd) == 0;
    if (ok && !(closed && renameFile(temp, path))) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return RegErrors::fromErrno(error);
    }
    // The rename itself is durable only once the folder is flushed; the new file is in place
    // already, so a failure here is not reported as a lost write.
    syncDirectory(dir);
    return 0;
}

void RegFileWriter::removeStaleCopies(const std::filesystem::path& path) {
    const std::string prefix =
        hiddenSibling(path.filename(), kTempSuffix.substr(0, kTempSuffix.size() - 6)).native();
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    DIR* const folder = ::opendir(dir.c_str());
    if (!folder)
        return;
    const int dirFd = ::dirfd(folder);
    const uid_t self = ::geteuid();
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTempName(entry->d_name, prefix))
            continue;
        struct stat st {};
        // unlinkat removes a name and never follows it, even if the file changed since.
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == self)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(folder);
}

bool RegFileWriter::writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written >= 0)
            data.remove_prefix(static_cast<std::size_t>(written));
        else if (errno != EINTR)
            return false;
    }
    return true;
}

bool RegFileWriter::syncFile(int fd) {
    return ::fsync(fd) == 0;
}

bool RegFileWriter::renameFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RegFileWriter::syncDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

RegFileLock::RegFileLock(const std::filesystem::path& lockFile, std::chrono::milliseconds patience)
    : m_fd(::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644)) {
    if (m_fd.get() < 0) {
        m_error = RegErrors::fromErrno(errno);
        return;
    }
    // Polling rather than F_SETLKW: a stuck holder must not freeze the caller for good.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fcntl(m_fd.get(), F_SETLK, &lock) == 0)
            return;
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            m_error = errno == EACCES || errno == EAGAIN ? RegErrors::kLockViolation
                                                         : RegErrors::fromErrno(errno);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace tintaro
