#include "platform/WinePrefix.h"

#include <cstdlib>

namespace tintaro {

std::filesystem::path currentWinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".wine";
}

} // namespace tintaro
