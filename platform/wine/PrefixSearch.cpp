// SPDX-License-Identifier: MIT
#include "PrefixSearch.h"

#include "FileSystem.h"
#include "WinePrefix.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

namespace tintaro {

namespace {

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The folders that `pick` makes of the entries of `dir` (the entries themselves by default),
// sorted: folder listings come in no useful order.
std::vector<std::filesystem::path>
foldersIn(const std::filesystem::path& dir,
          const std::function<std::filesystem::path(const std::filesystem::path&)>& pick = {}) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path candidate = pick ? pick(it->path()) : it->path();
        if (isFolder(candidate))
            found.push_back(candidate);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r");
    return start == std::string_view::npos
               ? std::string_view()
               : text.substr(start, text.find_last_not_of(" \t\r") + 1 - start);
}

// The prefix named on a Lutris game file's "prefix:" line, "~/" taken from `home`; empty when it
// names none. A game file is a few hundred bytes; anything far larger is not one.
std::filesystem::path lutrisPrefix(const std::filesystem::path& gameFile,
                                   const std::filesystem::path& home) {
    constexpr std::int64_t kMax = 1 << 20;
    const auto file = openUnixFile(gameFile);
    if (!file || file->length() > kMax)
        return {};
    const auto bytes = file->readFromStart(kMax);
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string text; std::getline(lines, text);) {
        const std::string_view line = trimmed(text);
        if (!line.starts_with("prefix:"))
            continue;
        std::string_view value = trimmed(line.substr(7));
        if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.starts_with("~/"))
            return home / value.substr(2);
        if (value.starts_with('/'))
            return value;
    }
    return {};
}

} // namespace

PrefixCheck checkPrefix(const std::filesystem::path& prefix, std::string_view messengerSubfolder) {
    if (!isFolder(prefix))
        return {PrefixState::Missing, {}};
    std::error_code error;
    if (!std::filesystem::exists(prefix / "user.reg", error))
        return {PrefixState::NoUserReg, {}};
    const std::string appData = appDataFolder(prefix);
    const FileSystem fs(prefix);
    if (!fs.openFolder(appData))
        return {PrefixState::NoAppData, unixPathOf(prefix, appData)};
    std::string messenger = appData + std::string(messengerSubfolder);
    messenger.erase(messenger.find_last_not_of('\\') + 1);
    if (!fs.openFolder(messenger))
        return {PrefixState::NoMessengerFolder, unixPathOf(prefix, messenger)};
    return {PrefixState::HasMessengerFolder, {}};
}

std::vector<std::filesystem::path> frontEndPrefixes(const std::filesystem::path& home) {
    const auto pfx = [](const std::filesystem::path& folder) { return folder / "pfx"; };
    const auto lutris = [&home](const std::filesystem::path& file) {
        return file.extension() == ".yml" ? lutrisPrefix(file, home) : std::filesystem::path();
    };
    std::vector<std::filesystem::path> found;
    for (const auto& folders :
         {foldersIn(home / ".local/share/bottles/bottles"),
          foldersIn(home / ".var/app/com.usebottles.bottles/data/bottles/bottles"),
          foldersIn(home / "Games"), foldersIn(home / ".config/lutris/games", lutris),
          foldersIn(home / ".PlayOnLinux/wineprefix"),
          foldersIn(home / ".steam/steam/steamapps/compatdata", pfx),
          foldersIn(home / ".local/share/Steam/steamapps/compatdata", pfx)})
        found.insert(found.end(), folders.begin(), folders.end());

    // ~/.steam/steam is usually a link to ~/.local/share/Steam: each folder is named once.
    std::set<std::filesystem::path> seen;
    std::erase_if(found, [&seen](const std::filesystem::path& prefix) {
        std::error_code error;
        const auto real = std::filesystem::weakly_canonical(prefix, error);
        return !seen.insert(error ? prefix : real).second;
    });
    return found;
}

} // namespace tintaro
