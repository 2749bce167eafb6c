#include "web/modulo_web.h"

#include "runtime/MessageBox.h"
#include "web/DesktopExec.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>

namespace tintaro {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfoPtr = std::unique_ptr<GAppInfo, GObjectUnref>;

struct GFreeString {
    void operator()(gchar* text) const { g_free(text); }
};
using OwnedGString = std::unique_ptr<gchar, GFreeString>;

std::string orEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Runs argv[0] (searched in PATH) with the rest as its arguments, detached from us. glib reports a
// program that cannot be executed, and reaps the child itself when we do not ask for its pid.
bool spawnDetached(const std::vector<std::string>& args) {
    std::vector<gchar*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args)
        argv.push_back(const_cast<gchar*>(arg.c_str()));
    argv.push_back(nullptr);
    return g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                         nullptr, nullptr);
}

// Starts the browser with the address as its one argument. A desktop entry is run from its own
// Exec line, so that a program that cannot be started is reported rather than lost behind a
// launcher helper; anything else goes through GIO's own launch.
bool startBrowser(GAppInfo* browser, const QByteArray& address) {
    if (G_IS_DESKTOP_APP_INFO(browser)) {
        GDesktopAppInfo* entry = G_DESKTOP_APP_INFO(browser);
        const char* exec = g_app_info_get_commandline(browser);
        if (exec && *exec) {
            const OwnedGString icon(g_desktop_app_info_get_string(entry, "Icon"));
            const DesktopEntryFields fields{orEmpty(g_app_info_get_name(browser)),
                                            orEmpty(g_desktop_app_info_get_filename(entry)),
                                            orEmpty(icon.get())};
            const auto argv = desktopExecArgv(exec, std::string_view(address), fields);
            return argv && spawnDetached(*argv);
        }
    }
    GList uri{const_cast<char*>(address.constData()), nullptr, nullptr};
    return g_app_info_launch_uris(browser, address.isEmpty() ? nullptr : &uri, nullptr, nullptr);
}

} // namespace

void OpenWebPage(const QString& address, const std::int16_t& useBrowser) {
    // The address ends at a NUL, as it would as a C string; it cannot travel further as argv.
    const qsizetype nul = address.indexOf(QChar(u'\0'));
    const QByteArray utf8 = (nul < 0 ? address : address.left(nul)).toUtf8();

    const AppInfoPtr browser(g_app_info_get_default_for_type("text/html", FALSE));
    if (!browser) {
        MsgBox(QStringLiteral("Could not open your browser!"), kMsgExclamation,
               QStringLiteral("Browser Not Found..."));
        return;
    }

    const bool opened = useBrowser != 0
                            ? startBrowser(browser.get(), utf8)
                            : g_app_info_launch_default_for_uri(utf8.constData(), nullptr, nullptr);
    if (!opened)
        MsgBox(QStringLiteral("Web page fialed to be opened."), kMsgExclamation,
               QStringLiteral("Website URL Failed..."));
}

} // namespace tintaro
