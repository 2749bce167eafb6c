// SPDX-License-Identifier: MIT
#include "DataSource.h"

#include "WinePrefix.h"

namespace tintaro {

FileSystem currentFileSystem() {
    return FileSystem(currentWinePrefix());
}

std::string currentAppDataFolder() {
    return appDataFolder(currentWinePrefix());
}

} // namespace tintaro
