#include "modulo_web.h"

#include "MessageBox.h"
#include "DesktopExec.h"
#include "GioLibrary.h"

#include <cstring>
#include <glib.h>
#include <memory>

namespace tintaro {

namespace {

struct GObjectUnref {
    const GioLibrary* gio;
    void operator()(gpointer object) const { gio->objectUnref(object); }
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
// launcher helper; anything else goes through GIO's own launch. So does a browser that runs in a
// terminal (lynx, w3m): GIO starts it inside a terminal emulator, or fails when it finds none,
// where run on its own it would have no window and the user would see nothing.
bool startBrowser(const GioLibrary& gio, GAppInfo* browser, const QByteArray& address) {
    if (gio.isDesktopAppInfo(browser)) {
        auto* entry = reinterpret_cast<GDesktopAppInfo*>(browser);
        const char* exec = gio.appInfoGetCommandline(browser);
        if (exec && *exec && !gio.desktopAppInfoGetBoolean(entry, "Terminal")) {
            const OwnedGString icon(gio.desktopAppInfoGetString(entry, "Icon"));
            const DesktopEntryFields fields{orEmpty(gio.appInfoGetName(browser)),
                                            orEmpty(gio.desktopAppInfoGetFilename(entry)),
                                            orEmpty(icon.get())};
            const auto argv = desktopExecArgv(exec, std::string_view(address), fields);
            return argv && spawnDetached(*argv);
        }
    }
    GList uri{const_cast<char*>(address.constData()), nullptr, nullptr};
    return gio.appInfoLaunchUris(browser, address.isEmpty() ? nullptr : &uri, nullptr, nullptr);
}

// The browser: the program the desktop opens web page files with, as a page file's association
// names it; failing that, the one it opens web addresses of this kind with, for a desktop whose
// default browser is set for addresses only. Other schemes are not asked: the program found
// must be a browser.
AppInfoPtr findBrowser(const GioLibrary& gio, const QByteArray& address) {
    AppInfoPtr browser(gio.appInfoGetDefaultForType("text/html", FALSE), GObjectUnref{&gio});
    if (!browser) {
        for (const char* scheme : {"http", "https"}) {
            const auto length = static_cast<qsizetype>(std::strlen(scheme));
            if (address.size() > length && address.at(length) == ':' &&
                qstrnicmp(address.constData(), scheme, length) == 0)
                browser.reset(gio.appInfoGetDefaultForUriScheme(scheme));
        }
    }
    return browser;
}

} // namespace

void OpenWebPage(const QString& address, const std::int16_t& useBrowser) {
    // The address ends at a NUL, as it would as a C string; it cannot travel further as argv.
    const qsizetype nul = address.indexOf(QChar(u'\0'));
    const QByteArray utf8 = (nul < 0 ? address : address.left(nul)).toUtf8();

    // Without GIO there is no way to find the browser: the user hears the same as when none is set.
    const GioLibrary* gio = GioLibrary::system();
    const AppInfoPtr browser = gio ? findBrowser(*gio, utf8) : AppInfoPtr(nullptr, {gio});
    if (!browser) {
        MsgBox(QStringLiteral("Could not open your browser!"), kMsgExclamation,
               QStringLiteral("Browser Not Found..."));
        return;
    }

    const bool opened = useBrowser != 0
                            ? startBrowser(*gio, browser.get(), utf8)
                            : gio->appInfoLaunchDefaultForUri(utf8.constData(), nullptr, nullptr);
    // The message's words are the program's own, misspelling included.
    if (!opened)
        MsgBox(QStringLiteral("Web page fialed to be opened."), kMsgExclamation,
               QStringLiteral("Website URL Failed..."));
}

} // namespace tintaro
