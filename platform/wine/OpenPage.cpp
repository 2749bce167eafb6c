// SPDX-License-Identifier: MIT
// tintaro-open-page ADDRESS: opens ADDRESS in the desktop's default web browser through GIO's
// application launching. Its exit status is a BrowserLaunch: 0 opened, 1 no browser for web
// pages, 2 the browser could not be started.
#include "Browser.h"

#include <cerrno>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>
#include <sys/wait.h>

namespace {

using tintaro::BrowserLaunch;

// GIO starts a desktop entry's program through a small launcher process and reports success once
// that launcher runs, so a program that cannot be executed is not reported. The launcher then
// exits with an error within milliseconds, which is what this watch looks for; a browser that
// starts keeps running, or hands the page to its running copy and exits successfully.
constexpr gint64 kStartWatchMicroseconds = 200'000;

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfoPtr = std::unique_ptr<GAppInfo, GObjectUnref>;

// The program that opens web pages; failing that, on a desktop whose default browser is set for
// web addresses only, the one for the address's scheme when that is http or https.
AppInfoPtr findBrowser(const char* address) {
    AppInfoPtr browser(g_app_info_get_default_for_type("text/html", FALSE));
    const std::unique_ptr<char, decltype(&g_free)> scheme(g_uri_parse_scheme(address), g_free);
    for (const char* web : {"http", "https"}) {
        if (!browser && scheme && g_ascii_strcasecmp(scheme.get(), web) == 0)
            browser.reset(g_app_info_get_default_for_uri_scheme(web));
    }
    return browser;
}

void keepPid(GDesktopAppInfo*, GPid pid, gpointer target) {
    *static_cast<GPid*>(target) = pid;
}

// Watches the started process for a moment: false when it ended with an error. One still running
// when this program ends is left to the system.
bool startedWell(GPid pid) {
    const gint64 deadline = g_get_monotonic_time() + kStartWatchMicroseconds;
    int status = 0;
    while (g_get_monotonic_time() < deadline) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (ended < 0 && errno != EINTR)
            return true; // reaped elsewhere: nothing says it failed
        g_usleep(5'000);
    }
    return true;
}

bool launch(GAppInfo* browser, char* address) {
    GList uri{address, nullptr, nullptr};
    GList* uris = *address ? &uri : nullptr;
    if (!G_IS_DESKTOP_APP_INFO(browser))
        return g_app_info_launch_uris(browser, uris, nullptr, nullptr);
    GPid pid = 0;
    if (!g_desktop_app_info_launch_uris_as_manager(
            G_DESKTOP_APP_INFO(browser), uris, nullptr,
            static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr,
            nullptr, keepPid, &pid, nullptr))
        return false;
    // An entry started over D-Bus has no process of ours to watch.
    return pid == 0 || startedWell(pid);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return static_cast<int>(BrowserLaunch::LaunchFailed);
    const AppInfoPtr browser = findBrowser(argv[1]);
    if (!browser)
        return static_cast<int>(BrowserLaunch::NoBrowser);
    return static_cast<int>(launch(browser.get(), argv[1]) ? BrowserLaunch::Opened
                                                           : BrowserLaunch::LaunchFailed);
}
