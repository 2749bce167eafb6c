// SPDX-License-Identifier: MIT
#include "Browser.h"

#include <cerrno>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace tintaro {

// GIO's application launching runs in a small helper program, so that the program does not load
// GIO and the libraries it brings at every start for a page it seldom opens. The helper sits
// beside the program in the build tree, and in the libexec folder once installed.
BrowserLaunch openInDefaultBrowser(std::string_view url) {
    std::error_code ec;
    const auto dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    std::string address(url);
    for (const auto& helper : {dir / "tintaro-open-page", dir / TINTARO_INSTALLED_HELPER}) {
        char* argv[] = {const_cast<char*>(helper.c_str()), address.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
            continue;
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return code == 0 || code == 1 ? static_cast<BrowserLaunch>(code)
                                      : BrowserLaunch::LaunchFailed;
    }
    return BrowserLaunch::LaunchFailed;
}

} // namespace tintaro
