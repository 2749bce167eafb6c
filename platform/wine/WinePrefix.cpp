// SPDX-License-Identifier: MIT
#include "WinePrefix.h"

#include "DataSource.h"
#include "FileSystem.h"
#include "RegEscape.h"
#include "UserRegFile.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <pwd.h>
#include <set>
#include <sstream>
#include <unistd.h>

namespace tintaro {

namespace {

constexpr std::string_view kUserShellFolders =
    "software\\microsoft\\windows\\currentversion\\explorer\\user shell folders";
constexpr std::string_view kShellFolders =
    "software\\microsoft\\windows\\currentversion\\explorer\\shell folders";
constexpr std::string_view kVolatileEnvironment = "volatile environment";
constexpr std::string_view kEnvironment = "environment";

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

// The string values of the few keys needed, by lower-case key and lower-case value name.
using Values = std::map<std::string, std::map<std::string, std::string>>;

// The values of those keys in the file, read a mebibyte at a time: a large user.reg is never
// held whole. A line longer than any the folders need is skipped, so a file without line feeds
// cannot grow the buffer that carries a line from one piece to the next.
Values scanUserReg(const BinaryFile& file) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    Values values;
    std::map<std::string, std::string>* section = nullptr;
    std::u16string key;
    std::u16string name;
    // One line, without its line feed, read as the registry writer reads it.
    const auto take = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        using Kind = UserRegFile::Line::Kind;
        const UserRegFile::Line parsed = UserRegFile::parseLine(line, key);
        if (parsed.kind == Kind::Key || parsed.kind == Kind::BadKey) {
            section = nullptr;
            if (parsed.kind == Kind::BadKey)
                return;
            const std::string keyName =
                lowerAscii(RegEscape::utf8FromUtf16(RegEscape::normalKey(key)));
            if (keyName == kUserShellFolders || keyName == kShellFolders ||
                keyName == kVolatileEnvironment || keyName == kEnvironment)
                section = &values[keyName];
        } else if (parsed.kind == Kind::Value && section && !parsed.name.empty()) {
            const auto value = UserRegFile::stringValue(parsed.data);
            if (value && RegEscape::unescape(parsed.name, '"', name))
                (*section)[lowerAscii(RegEscape::utf8FromUtf16(name))] =
                    RegEscape::utf8FromUtf16(*value);
        }
    };
    std::string pending;
    bool skipping = false;
    const std::uint64_t end = std::min(static_cast<std::uint64_t>(file.length()), kUserRegMaxSize);
    for (std::uint64_t offset = 0; offset < end;) {
        const auto chunk = file.readAt(
            offset, static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - offset)));
        if (chunk.empty())
            break;
        offset += chunk.size();
        std::string_view piece(reinterpret_cast<const char*>(chunk.data()), chunk.size());
        for (std::size_t lf; (lf = piece.find('\n')) != std::string_view::npos;) {
            pending.append(piece.substr(0, lf));
            if (!skipping)
                take(pending);
            pending.clear();
            skipping = false;
            piece.remove_prefix(lf + 1);
        }
        pending.append(piece);
        if (pending.size() > kChunk) {
            pending.clear();
            skipping = true;
        }
    }
    if (!skipping)
        take(pending); // the last line needs no line feed
    return values;
}

bool isDrivePath(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// "X:\users\<name>" out of a path below a profile folder, if it is one.
std::optional<std::string> profileOf(std::string_view path) {
    if (!isDrivePath(path) || lowerAscii(path.substr(2)).rfind("\\users\\", 0) != 0)
        return std::nullopt;
    const std::size_t nameStart = 2 + 7;
    const std::size_t nameEnd = std::min(path.find('\\', nameStart), path.size());
    if (nameEnd == nameStart)
        return std::nullopt;
    return std::string(path.substr(0, nameEnd));
}

// Expands %NAME% references once; an unknown name or an unclosed % makes the whole text unusable.
// %USERNAME%, when `vars` lacks it, is `userName`'s.
std::optional<std::string> expand(std::string_view text,
                                  const std::map<std::string, std::string>& vars,
                                  const std::function<const std::string&()>& userName) {
    std::string out;
    for (std::size_t open; (open = text.find('%')) != std::string_view::npos;) {
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        out += text.substr(0, open);
        const std::string name = lowerAscii(text.substr(open + 1, close - open - 1));
        if (const auto var = vars.find(name); var != vars.end())
            out += var->second;
        else if (name == "username")
            out += userName();
        else
            return std::nullopt;
        text.remove_prefix(close + 1);
    }
    out += text;
    return out;
}

std::string withoutTrailingBackslash(std::string path) {
    while (path.size() > 2 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string unixUserName() {
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    return "user";
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
    const auto bytes = file->readAt(0, kMax);
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

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

std::filesystem::path currentWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) {
        // Wine itself refuses a relative prefix: a running server for it was started with the
        // whole path, and the value must reach that server through Wine.
        std::error_code error;
        auto absolute = std::filesystem::absolute(prefix, error);
        return error ? std::filesystem::path(prefix) : absolute;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".wine";
}

std::string appDataFolder(const std::filesystem::path& prefix) {
    const auto file = openUnixFile(prefix / "user.reg");
    Values values = file ? scanUserReg(*file) : Values{};
    // Stored environment first; the volatile one wins where both name a variable.
    std::map<std::string, std::string> vars = values[std::string(kEnvironment)];
    for (const auto& [name, value] : values[std::string(kVolatileEnvironment)])
        vars[name] = value;
    // The Unix user's name is asked for only if a value refers to it or no profile folder is named
    // (looking it up may read the user database).
    std::optional<std::string> user;
    const std::function<const std::string&()> userName = [&]() -> const std::string& {
        if (!user)
            user = unixUserName();
        return *user;
    };
    vars.try_emplace("systemdrive", "C:");
    vars.try_emplace("systemroot", "C:\\windows");
    vars.try_emplace("windir", "C:\\windows");

    const auto& shellFolders = values[std::string(kShellFolders)];
    const auto shellAppData = shellFolders.find("appdata");
    std::optional<std::string> profile;
    if (const auto it = vars.find("userprofile"); it != vars.end()) {
        profile = expand(it->second, vars, userName);
        if (profile && !isDrivePath(*profile))
            profile.reset();
    }
    if (!profile && shellAppData != shellFolders.end())
        profile = profileOf(shellAppData->second);
    for (auto it = shellFolders.begin(); !profile && it != shellFolders.end(); ++it)
        profile = profileOf(it->second);
    if (!profile)
        profile = "C:\\users\\" + userName();
    vars["userprofile"] = *profile;

    const auto& userShellFolders = values[std::string(kUserShellFolders)];
    if (const auto it = userShellFolders.find("appdata"); it != userShellFolders.end()) {
        if (auto expanded = expand(it->second, vars, userName); expanded && isDrivePath(*expanded))
            return withoutTrailingBackslash(std::move(*expanded));
    }
    if (shellAppData != shellFolders.end() && isDrivePath(shellAppData->second))
        return withoutTrailingBackslash(shellAppData->second);
    return *profile + "\\AppData\\Roaming";
}

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
    const std::string messenger =
        withoutTrailingBackslash(appData + std::string(messengerSubfolder));
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

FileSystem currentFileSystem() {
    return FileSystem(currentWinePrefix());
}

std::string currentAppDataFolder() {
    return appDataFolder(currentWinePrefix());
}

} // namespace tintaro
