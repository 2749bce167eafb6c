#pragma once

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>

namespace tintaro {

// The few GIO calls the browser launcher makes, bound at run time. GIO and the libraries it pulls
// in are only needed once a link is clicked, so the program does not pay for loading them at
// start-up; glib itself is already there through Qt.
struct GioLibrary {
    decltype(&g_app_info_get_default_for_type) appInfoGetDefaultForType = nullptr;
    decltype(&g_app_info_get_default_for_uri_scheme) appInfoGetDefaultForUriScheme = nullptr;
    decltype(&g_app_info_get_commandline) appInfoGetCommandline = nullptr;
    decltype(&g_app_info_get_name) appInfoGetName = nullptr;
    decltype(&g_app_info_launch_uris) appInfoLaunchUris = nullptr;
    decltype(&g_app_info_launch_default_for_uri) appInfoLaunchDefaultForUri = nullptr;
    decltype(&g_desktop_app_info_get_type) desktopAppInfoGetType = nullptr;
    decltype(&g_desktop_app_info_get_string) desktopAppInfoGetString = nullptr;
    decltype(&g_desktop_app_info_get_boolean) desktopAppInfoGetBoolean = nullptr;
    decltype(&g_desktop_app_info_get_filename) desktopAppInfoGetFilename = nullptr;
    decltype(&g_type_check_instance_is_a) typeCheckInstanceIsA = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;

    // True when `object` is a desktop-entry application (G_IS_DESKTOP_APP_INFO).
    bool isDesktopAppInfo(gpointer object) const;

    // Loads `soname` (and what it depends on) and binds every call from it. Returns nullptr when
    // the library cannot be loaded or lacks any of the calls; nothing is bound half-way. A library
    // that loaded stays loaded for the life of the process.
    static std::unique_ptr<const GioLibrary> load(const char* soname);

    // The system's GIO, loaded on the first call; nullptr on every call when it is missing.
    static const GioLibrary* system();
};

} // namespace tintaro
