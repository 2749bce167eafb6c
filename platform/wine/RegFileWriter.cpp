// SPDX-License-Identifier: MIT
#include "RegFileWriter.h"

#include "RegErrors.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {

namespace {

constexpr std::string_view kTempSuffix = ".tintaro-XXXXXX";

// mkostemp's replacement for the X's: six letters or digits.
bool isTempName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix))
        return false;
    for (const char c : name.substr(prefix.size()))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

class FdCloser {
public:
    explicit FdCloser(int fd)
        : m_fd(fd) {}
    ~FdCloser() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;
    // Closes now, reporting the error a deferred write may only show here.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

} // namespace

std::filesystem::path hiddenSibling(const std::filesystem::path& file, std::string_view suffix) {
    // Appended piece by piece: `"." + string` makes gcc 12 at -O3 warn of overlapping copies.
    std::string name(1, '.');
    name += file.filename().native();
    name += suffix;
    return file.has_parent_path() ? file.parent_path() / name : std::filesystem::path(name);
}

long RegFileWriter::replace(const std::filesystem::path& path, std::string_view content) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = hiddenSibling(path, kTempSuffix).native();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return RegErrors::fromErrno(errno);
    FdCloser closer(fd);

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
    if (ok) {
        ok = closer.close();
        error = errno;
    }
    if (ok) {
        ok = renameFile(temp, path);
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
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
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
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace tintaro
