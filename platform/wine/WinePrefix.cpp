// SPDX-License-Identifier: MIT
#include "WinePrefix.h"

#include "FileSystem.h"
#include "RegEscape.h"
#include "UserRegFile.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <pwd.h>
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
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The string values of the few keys needed, by lower-case key and lower-case value name.
using Values = std::map<std::string, std::map<std::string, std::string>>;

// Collects the values of those keys from a user.reg handed over in pieces of any size. A line
// longer than any the folders need is skipped, so a file without line feeds cannot grow the
// buffer that carries a line from one piece to the next.
class UserRegScan {
public:
    void feed(std::string_view piece) {
        for (std::size_t end; (end = piece.find('\n')) != std::string_view::npos;) {
            if (!m_skipping) {
                if (m_pending.empty()) {
                    line(piece.substr(0, end));
                } else {
                    m_pending.append(piece.substr(0, end));
                    line(m_pending);
                }
            }
            m_pending.clear();
            m_skipping = false;
            piece.remove_prefix(end + 1);
        }
        if (!m_skipping)
            m_pending.append(piece);
        if (m_pending.size() > kLongestLine) {
            m_pending.clear();
            m_skipping = true;
        }
    }

    // The values, once the last line (which needs no line feed) is taken too.
    const Values& finish() {
        if (!m_skipping)
            line(m_pending);
        m_pending.clear();
        return m_values;
    }

private:
    static constexpr std::size_t kLongestLine = std::size_t{1} << 20;

    // One line, without its line feed, read as the registry writer reads it.
    void line(std::string_view line) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        using Kind = UserRegFile::Line::Kind;
        const UserRegFile::Line parsed = UserRegFile::parseLine(line, m_key);
        if (parsed.kind == Kind::Key || parsed.kind == Kind::BadKey) {
            m_section = nullptr;
            if (parsed.kind == Kind::BadKey)
                return;
            const std::string name =
                lowerAscii(RegEscape::utf8FromUtf16(RegEscape::normalKey(m_key)));
            if (name == kUserShellFolders || name == kShellFolders ||
                name == kVolatileEnvironment || name == kEnvironment)
                m_section = &m_values[name];
        } else if (parsed.kind == Kind::Value && m_section && !parsed.name.empty()) {
            const auto value = UserRegFile::stringValue(parsed.data);
            if (value && RegEscape::unescape(parsed.name, '"', m_name))
                (*m_section)[lowerAscii(RegEscape::utf8FromUtf16(m_name))] =
                    RegEscape::utf8FromUtf16(*value);
        }
    }

    Values m_values;
    std::map<std::string, std::string>* m_section = nullptr;
    std::string m_pending;
    bool m_skipping = false;
    std::u16string m_key;
    std::u16string m_name;
};

// The folders' values from the file, read a mebibyte at a time: a large user.reg is never held
// whole.
Values scanUserRegFile(const BinaryFile& file) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    UserRegScan scan;
    const auto size = static_cast<std::uint64_t>(std::max<std::int64_t>(file.length(), 0));
    const std::uint64_t end = std::min(size, kUserRegMaxSize);
    for (std::uint64_t offset = 0; offset < end;) {
        const auto chunk = file.readAt(
            offset, static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - offset)));
        if (chunk.empty())
            break;
        offset += chunk.size();
        scan.feed(std::string_view(reinterpret_cast<const char*>(chunk.data()), chunk.size()));
    }
    return scan.finish();
}

const std::string* lookup(const Values& values, std::string_view key, std::string_view name) {
    const auto section = values.find(std::string(key));
    if (section == values.end())
        return nullptr;
    const auto value = section->second.find(std::string(name));
    return value == section->second.end() ? nullptr : &value->second;
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
// `fallback` names the variables `vars` lacks, where it can.
std::optional<std::string>
expand(std::string_view text, const std::map<std::string, std::string>& vars,
       const std::function<std::optional<std::string>(std::string_view)>& fallback) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('%', pos);
        if (open == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        out += text.substr(pos, open - pos);
        const std::string name = lowerAscii(text.substr(open + 1, close - open - 1));
        if (const auto var = vars.find(name); var != vars.end()) {
            out += var->second;
        } else if (const auto value = fallback(name)) {
            out += *value;
        } else {
            return std::nullopt;
        }
        pos = close + 1;
    }
    return out;
}

std::string withoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (path.size() == 3 && path.back() == '\\')
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

} // namespace

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

namespace {

// The AppData folder from the values of those keys. The Unix user's name is asked for only if a
// value refers to it or no profile folder is named (looking it up may read the user database).
std::string appDataFolderFromValues(const Values& values,
                                    const std::function<std::string()>& unixUser) {

    std::map<std::string, std::string> vars;
    // Stored environment first; the volatile one wins where both name a variable.
    for (const auto key : {kEnvironment, kVolatileEnvironment}) {
        const auto section = values.find(std::string(key));
        if (section != values.end())
            for (const auto& [name, value] : section->second)
                vars[name] = value;
    }
    std::optional<std::string> user;
    const auto userName = [&]() -> const std::string& {
        if (!user) {
            user = unixUser();
            if (user->empty())
                user = "user";
        }
        return *user;
    };
    const auto fallback = [&](std::string_view name) -> std::optional<std::string> {
        if (name == "username")
            return userName();
        return std::nullopt;
    };
    vars.try_emplace("systemdrive", "C:");
    vars.try_emplace("systemroot", "C:\\windows");
    vars.try_emplace("windir", "C:\\windows");

    std::optional<std::string> profile;
    if (const auto it = vars.find("userprofile"); it != vars.end()) {
        profile = expand(it->second, vars, fallback);
        if (profile && !isDrivePath(*profile))
            profile.reset();
    }
    if (!profile) {
        if (const std::string* appData = lookup(values, kShellFolders, "appdata"))
            profile = profileOf(*appData);
    }
    if (!profile) {
        const auto section = values.find(std::string(kShellFolders));
        if (section != values.end())
            for (const auto& entry : section->second)
                if ((profile = profileOf(entry.second)))
                    break;
    }
    if (!profile)
        profile = "C:\\users\\" + userName();
    vars["userprofile"] = *profile;

    if (const std::string* appData = lookup(values, kUserShellFolders, "appdata")) {
        if (auto expanded = expand(*appData, vars, fallback); expanded && isDrivePath(*expanded))
            return withoutTrailingBackslash(std::move(*expanded));
    }
    if (const std::string* appData = lookup(values, kShellFolders, "appdata");
        appData && isDrivePath(*appData))
        return withoutTrailingBackslash(*appData);
    return *profile + "\\AppData\\Roaming";
}

} // namespace

std::string appDataFolderFromUserReg(std::string_view userReg, std::string_view unixUser) {
    UserRegScan scan;
    scan.feed(userReg);
    return appDataFolderFromValues(scan.finish(), [&] { return std::string(unixUser); });
}

std::string appDataFolder(const std::filesystem::path& prefix) {
    const auto file = openUnixFile(prefix / "user.reg");
    return appDataFolderFromValues(file ? scanUserRegFile(*file) : Values{}, unixUserName);
}

} // namespace tintaro
