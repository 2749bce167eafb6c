#pragma once

#include <filesystem>

namespace tintaro {

// The Wine prefix Tintaro works on: $WINEPREFIX when set and not empty, else ~/.wine.
std::filesystem::path currentWinePrefix();

} // namespace tintaro
