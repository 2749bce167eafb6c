// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace tintaro {

// Tells whether a wineserver is running for a prefix. A running server holds a POSIX write lock
// on the file "lock" in its server folder, "server-<device hex>-<inode hex>" of the prefix
// folder, which lies in $TMPDIR/<name> (Debian's Wine; <name> is the prefix's file "wineserver")
// or in /tmp/.wine-<uid> (upstream Wine).
class WineServer {
public:
    // The folders are taken from the environment and the process's user.
    WineServer();
    // `tmpDir` stands for $TMPDIR and for /tmp; `uid` for the user id.
    WineServer(std::filesystem::path tmpDir, uid_t uid)
        : m_tmpDirs{std::move(tmpDir)}
        , m_uid(uid) {}

    // The lock files a server for `prefix` could hold, most likely first; empty when the prefix
    // folder does not exist.
    std::vector<std::filesystem::path> lockFiles(const std::filesystem::path& prefix) const;

    // True when some process holds a write lock on one of those files.
    bool isRunning(const std::filesystem::path& prefix) const;

    // The program file of the server running for `prefix` (the holder of its lock, as the
    // process table names it); empty when none runs, when the holder is another user's process,
    // or when its program cannot be read.
    std::filesystem::path program(const std::filesystem::path& prefix) const;

private:
    std::vector<std::filesystem::path> m_tmpDirs;
    uid_t m_uid;
};

// The Wine loaders to try, in order, to reach the server running for `prefix`. A server talks
// only to a Wine of its own version, and a prefix may be run by a Wine that is not the one on
// PATH (a game launcher's, or a build of one's own): the loader installed beside the server
// comes first, then `command` (found on PATH), then the 64-bit loader beside the server, the
// only one a 64-bit-only Debian installs there.
std::vector<std::string> wineLoaders(const WineServer& server, const std::filesystem::path& prefix,
                                     const std::string& command);

} // namespace tintaro
