#include "Registry.h"

#include "WineRegistry.h"

#include <atomic>

namespace tintaro {

namespace {

std::atomic<Registry*> g_replacement{nullptr};

Registry& prefixRegistry() {
    // Empty prefix option: the prefix is looked up at each createKey, so a changed WINEPREFIX is
    // followed.
    static WineRegistry registry;
    return registry;
}

} // namespace

Registry& currentRegistry() {
    Registry* replacement = g_replacement.load();
    return replacement ? *replacement : prefixRegistry();
}

void setCurrentRegistry(Registry* registry) {
    g_replacement.store(registry);
}

} // namespace tintaro
