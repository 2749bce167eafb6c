#include "platform/WineServer.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {

namespace {

// The content of the prefix's "wineserver" file, when it is a plain folder name.
std::string serverFolderName(const std::filesystem::path& prefix) {
    const int fd = ::open((prefix / "wineserver").c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    char buffer[256];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (count <= 0)
        return {};
    std::string name(buffer, static_cast<std::size_t>(count));
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' '))
        name.pop_back();
    // The name is joined to a folder path, so nothing that could climb out of it is taken.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return {};
    return name;
}

bool holdsWriteLock(const std::filesystem::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    const bool locked = ::fcntl(fd, F_GETLK, &query) == 0 && query.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

} // namespace

WineServer::WineServer()
    : m_uid(::getuid()) {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp)
        m_tmpDirs.emplace_back(tmp);
    if (m_tmpDirs.empty() || m_tmpDirs.front() != "/tmp")
        m_tmpDirs.emplace_back("/tmp");
}

WineServer::WineServer(std::filesystem::path tmpDir, uid_t uid)
    : m_uid(uid) {
    m_tmpDirs.push_back(std::move(tmpDir));
}

std::vector<std::filesystem::path>
WineServer::lockFiles(const std::filesystem::path& prefix) const {
    struct stat st {};
    if (::stat(prefix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    char server[64];
    std::snprintf(server, sizeof server, "server-%llx-%llx",
                  static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    std::vector<std::filesystem::path> files;
    const std::string name = serverFolderName(prefix);
    if (!name.empty()) {
        for (const auto& tmp : m_tmpDirs)
            files.push_back(tmp / name / server / "lock");
    }
    // Upstream Wine keeps its server folders under /tmp whatever $TMPDIR says.
    const std::filesystem::path upstream = m_tmpDirs.back() / (".wine-" + std::to_string(m_uid));
    files.push_back(upstream / server / "lock");
    return files;
}

bool WineServer::isRunning(const std::filesystem::path& prefix) const {
    for (const auto& file : lockFiles(prefix)) {
        if (holdsWriteLock(file))
            return true;
    }
    return false;
}

} // namespace tintaro
