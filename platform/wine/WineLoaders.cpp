// SPDX-License-Identifier: MIT
#include "WineLoaders.h"

#include <unistd.h>

namespace tintaro {

std::vector<std::string> wineLoaders(const WineServer& server, const std::filesystem::path& prefix,
                                     const std::string& command) {
    const std::filesystem::path program = server.program(prefix);
    const auto besideServer = [&program](const char* name) {
        const std::filesystem::path loader = program.parent_path() / name;
        std::error_code error;
        return !program.empty() && std::filesystem::is_regular_file(loader, error) &&
                       ::access(loader.c_str(), X_OK) == 0
                   ? loader.string()
                   : std::string();
    };
    std::vector<std::string> loaders;
    for (std::string loader : {besideServer("wine"), command, besideServer("wine64")})
        if (!loader.empty())
            loaders.push_back(std::move(loader));
    return loaders;
}

} // namespace tintaro
