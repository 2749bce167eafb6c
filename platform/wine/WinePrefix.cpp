#include "WinePrefix.h"

#include "FileSystem.h"

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

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a registry string as Wine writes it, from `pos` up to the unescaped `terminator`.
// Escapes give UTF-16 units (\x up to four hex digits, octal up to three digits, the C letters);
// any other escaped character stands for itself. Returns the text as UTF-8 and leaves `pos`
// after the terminator; no terminator gives no value.
std::optional<std::string> readEscaped(std::string_view line, std::size_t& pos, char terminator) {
    std::string out;
    char16_t pendingHigh = 0;
    auto flushHigh = [&] {
        if (pendingHigh) {
            appendUtf8(out, 0xFFFD);
            pendingHigh = 0;
        }
    };
    auto addUnit = [&](char16_t unit) {
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            flushHigh();
            pendingHigh = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (pendingHigh) {
                appendUtf8(out, 0x10000 + ((char32_t(pendingHigh) - 0xD800) << 10) +
                                    (char32_t(unit) - 0xDC00));
                pendingHigh = 0;
            } else {
                appendUtf8(out, 0xFFFD);
            }
        } else {
            flushHigh();
            appendUtf8(out, unit);
        }
    };
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == terminator) {
            flushHigh();
            return out;
        }
        if (c != '\\') {
            flushHigh();
            out += c; // raw bytes are kept as they are (Wine writes them as UTF-8)
            continue;
        }
        if (pos >= line.size())
            break;
        const char e = line[pos++];
        switch (e) {
        case 'a':
            addUnit(u'\a');
            break;
        case 'b':
            addUnit(u'\b');
            break;
        case 'e':
            addUnit(0x1B);
            break;
        case 'f':
            addUnit(u'\f');
            break;
        case 'n':
            addUnit(u'\n');
            break;
        case 'r':
            addUnit(u'\r');
            break;
        case 't':
            addUnit(u'\t');
            break;
        case 'v':
            addUnit(u'\v');
            break;
        case 'x': {
            unsigned unit = 0;
            int digits = 0;
            while (digits < 4 && pos < line.size() && hexDigit(line[pos]) >= 0) {
                unit = unit * 16 + static_cast<unsigned>(hexDigit(line[pos++]));
                ++digits;
            }
            if (digits == 0)
                addUnit(u'x');
            else
                addUnit(static_cast<char16_t>(unit));
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned unit = static_cast<unsigned>(e - '0');
                for (int i = 0; i < 2 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
                     ++i)
                    unit = unit * 8 + static_cast<unsigned>(line[pos++] - '0');
                addUnit(static_cast<char16_t>(unit));
            } else {
                flushHigh();
                out += e;
            }
        }
    }
    return std::nullopt;
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

    // One line, without its line feed.
    void line(std::string_view line) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            return;
        std::size_t pos = 1;
        if (line.front() == '[') {
            m_section = nullptr;
            const auto key = readEscaped(line, pos, ']');
            if (!key)
                return;
            std::string name = lowerAscii(*key);
            if (name == kUserShellFolders || name == kShellFolders ||
                name == kVolatileEnvironment || name == kEnvironment)
                m_section = &m_values[name];
        } else if (line.front() == '"' && m_section) {
            const auto name = readEscaped(line, pos, '"');
            if (!name || pos >= line.size() || line[pos] != '=')
                return;
            std::string_view rest = line.substr(pos + 1);
            std::size_t valuePos = 0;
            if (rest.starts_with("str(2):") || rest.starts_with("str(1):"))
                valuePos = 7;
            if (valuePos >= rest.size() || rest[valuePos] != '"')
                return; // not a string value
            ++valuePos;
            if (const auto value = readEscaped(rest, valuePos, '"'))
                (*m_section)[lowerAscii(*name)] = *value;
        }
    }

    Values m_values;
    std::map<std::string, std::string>* m_section = nullptr;
    std::string m_pending;
    bool m_skipping = false;
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
