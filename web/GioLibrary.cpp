#include "GioLibrary.h"

#include "BindSymbol.h"

#include <dlfcn.h>

namespace tintaro {

bool GioLibrary::isDesktopAppInfo(gpointer object) const {
    return object &&
           typeCheckInstanceIsA(static_cast<GTypeInstance*>(object), desktopAppInfoGetType());
}

std::unique_ptr<const GioLibrary> GioLibrary::load(const char* soname) {
    // An empty name would open the program itself, and bind whatever it happens to link.
    if (!soname || !*soname)
        return nullptr;
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    auto library = std::make_unique<GioLibrary>();
    // dlsym on the handle also searches the libraries GIO depends on, where the GObject calls live.
    const bool complete =
        bindSymbol(handle, "g_app_info_get_default_for_type", library->appInfoGetDefaultForType) &&
        bindSymbol(handle, "g_app_info_get_default_for_uri_scheme",
                   library->appInfoGetDefaultForUriScheme) &&
        bindSymbol(handle, "g_app_info_get_commandline", library->appInfoGetCommandline) &&
        bindSymbol(handle, "g_app_info_get_name", library->appInfoGetName) &&
        bindSymbol(handle, "g_app_info_launch_uris", library->appInfoLaunchUris) &&
        bindSymbol(handle, "g_app_info_launch_default_for_uri",
                   library->appInfoLaunchDefaultForUri) &&
        bindSymbol(handle, "g_desktop_app_info_get_type", library->desktopAppInfoGetType) &&
        bindSymbol(handle, "g_desktop_app_info_get_string", library->desktopAppInfoGetString) &&
        bindSymbol(handle, "g_desktop_app_info_get_boolean", library->desktopAppInfoGetBoolean) &&
        bindSymbol(handle, "g_desktop_app_info_get_filename", library->desktopAppInfoGetFilename) &&
        bindSymbol(handle, "g_type_check_instance_is_a", library->typeCheckInstanceIsA) &&
        bindSymbol(handle, "g_object_unref", library->objectUnref);
    if (!complete) {
        dlclose(handle);
        return nullptr;
    }
    // GIO registers types and threads that cannot be unloaded safely; the handle is kept.
    return library;
}

const GioLibrary* GioLibrary::system() {
    static const std::unique_ptr<const GioLibrary> library = load("libgio-2.0.so.0");
    return library.get();
}

} // namespace tintaro
