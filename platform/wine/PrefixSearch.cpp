// SPDX-License-Identifier: MIT
#include "PrefixSearch.h"

#include "FileSystem.h"
#include "WinePrefix.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace tintaro {

namespace {

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The folders `dir`/*/`below`, sorted: folder listings come in no useful order.
std::vector<std::filesystem::path> foldersIn(const std::filesystem::path& dir,
                                             const std::filesystem::path& below = {}) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path candidate = below.empty() ? it->path() : it->path() / below;
        if (isFolder(candidate))
            found.push_back(candidate);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
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
    while (messenger.ends_with('\\'))
        messenger.pop_back();
    if (!fs.openFolder(messenger))
        return {PrefixState::NoMessengerFolder, unixPathOf(prefix, messenger)};
    return {PrefixState::HasMessengerFolder, {}};
}

std::vector<std::filesystem::path> frontEndPrefixes(const std::filesystem::path& home) {
    std::vector<std::filesystem::path> found;
    const auto add = [&found](const std::vector<std::filesystem::path>& folders) {
        found.insert(found.end(), folders.begin(), folders.end());
    };
    add(foldersIn(home / ".local/share/bottles/bottles"));
    add(foldersIn(home / ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    add(foldersIn(home / "Games"));
    std::vector<std::filesystem::path> lutris;
    std::error_code error;
    for (std::filesystem::directory_iterator it(home / ".config/lutris/games", error), end;
         !error && it != end; it.increment(error)) {
        if (it->path().extension() != ".yml")
            continue;
        if (auto prefix = lutrisPrefix(it->path(), home); !prefix.empty() && isFolder(prefix))
            lutris.push_back(std::move(prefix));
    }
    std::sort(lutris.begin(), lutris.end());
    add(lutris);
    add(foldersIn(home / ".PlayOnLinux/wineprefix"));
    add(foldersIn(home / ".steam/steam/steamapps/compatdata", "pfx"));
    add(foldersIn(home / ".local/share/Steam/steamapps/compatdata", "pfx"));

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
