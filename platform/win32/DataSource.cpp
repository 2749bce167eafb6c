// SPDX-License-Identifier: MIT
#include "DataSource.h"

#include "WideText.h"

// shlobj.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace tintaro {

FileSystem currentFileSystem() {
    return FileSystem();
}

std::string currentAppDataFolder() {
    // The system gives the path without a trailing backslash.
    wchar_t path[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {}; // not a fully qualified path: nothing is looked up
    return narrow(path);
}

} // namespace tintaro
