#include "Registry.h"

#include <atomic>

namespace tintaro {

namespace {

std::atomic<Registry*> g_replacement{nullptr};

} // namespace

Registry& currentRegistry() {
    Registry* replacement = g_replacement.load();
    return replacement ? *replacement : systemRegistry();
}

void setCurrentRegistry(Registry* registry) {
    g_replacement.store(registry);
}

} // namespace tintaro
