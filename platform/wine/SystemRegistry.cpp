// SPDX-License-Identifier: MIT
#include "Registry.h"
#include "WineRegistry.h"

namespace tintaro {

Registry& systemRegistry() {
    // Empty prefix option: the prefix is looked up at each createKey, so a changed WINEPREFIX is
    // followed.
    static WineRegistry registry;
    return registry;
}

} // namespace tintaro
