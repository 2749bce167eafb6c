// SPDX-License-Identifier: MIT
#include "WineServer.h"

#include "FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {

namespace {

// The content of the prefix's "wineserver" file, when it is a plain folder name.
std::string serverFolderName(const std::filesystem::path& prefix) {
    const auto file = openUnixFile(prefix / "wineserver");
    if (!file)
        return {};
    const auto bytes = file->readAt(0, 256);
    std::string name(bytes.begin(), bytes.end());
    name.erase(name.find_last_not_of("\n\r ") + 1);
    // The name is joined to a folder path, so nothing that could climb out of it is taken.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return {};
    return name;
}

// The process holding a write lock on the file, 0 when none does; -1 for a holder the system
// does not name (another machine's, over a network file system).
pid_t writeLockHolder(const std::filesystem::path& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return 0;
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    pid_t holder = 0;
    if (::fcntl(fd, F_GETLK, &query) == 0 && query.l_type != F_UNLCK)
        holder = query.l_pid > 0 ? query.l_pid : -1;
    ::close(fd);
    return holder;
}

} // namespace

WineServer::WineServer()
    : m_uid(::getuid()) {
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        m_tmpDirs.emplace_back(tmp);
    if (m_tmpDirs.empty() || m_tmpDirs.front() != "/tmp")
        m_tmpDirs.emplace_back("/tmp");
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
    if (!name.empty())
        for (const auto& tmp : m_tmpDirs)
            files.push_back(tmp / name / server / "lock");
    // Upstream Wine keeps its server folders under /tmp whatever $TMPDIR says.
    const std::filesystem::path upstream = m_tmpDirs.back() / (".wine-" + std::to_string(m_uid));
    files.push_back(upstream / server / "lock");
    return files;
}

bool WineServer::isRunning(const std::filesystem::path& prefix) const {
    return std::ranges::any_of(lockFiles(prefix),
                               [](const auto& file) { return writeLockHolder(file) != 0; });
}

std::filesystem::path WineServer::program(const std::filesystem::path& prefix) const {
    for (const auto& file : lockFiles(prefix)) {
        const pid_t holder = writeLockHolder(file);
        if (holder == 0)
            continue;
        // The program is run next to it, so only a server of this user's own is taken at its
        // word: anybody can hold a lock in a folder under /tmp.
        const std::string process = "/proc/" + std::to_string(holder);
        struct stat owner {};
        if (holder < 0 || ::stat(process.c_str(), &owner) != 0 || owner.st_uid != ::geteuid())
            return {};
        std::error_code error; // read_symlink gives an empty path then
        return std::filesystem::read_symlink(process + "/exe", error);
    }
    return {};
}

std::vector<std::string> wineLoaders(const WineServer& server, const std::filesystem::path& prefix,
                                     const std::string& command) {
    const std::filesystem::path program = server.program(prefix);
    const auto besideServer = [&program](const char* name) {
        const std::filesystem::path loader = program.parent_path() / name;
        std::error_code error;
        return !program.empty() && std::filesystem::is_regular_file(loader, error) &&
                       ::access(loader.c_str(), X_OK) == 0
                   ? loader.string()
                   : std::string();
    };
    std::vector<std::string> loaders{besideServer("wine"), command, besideServer("wine64")};
    std::erase(loaders, std::string());
    return loaders;
}

} // namespace tintaro
