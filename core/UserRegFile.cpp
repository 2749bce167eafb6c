// SPDX-License-Identifier: MIT
#include "UserRegFile.h"

#include "RegEscape.h"

#include <algorithm>
#include <charconv>

namespace tintaro {

namespace {

using RegEscape::hexValue;
using RegEscape::isHexDigit;

constexpr std::size_t npos = std::string_view::npos;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t skipSpaces(std::string_view s, std::size_t p) {
    while (p < s.size() && isSpace(s[p]))
        ++p;
    return p;
}

// Where a line, or a value with its continuation lines, lies in the file.
struct Span {
    std::size_t start;         // first byte; of a line read by the scan, after its leading blanks
    std::size_t end;           // end of the last line's text, before its line end
    std::size_t next;          // start of the line after it
    std::size_t dataStart = 0; // a value's first byte after '=' and the blanks that follow it
    bool dangling = false;     // a value whose hex list asks for a line after the end of the file
};

// One line as Wine's reader returns it: the text without "\n" and a '\r' just before it.
Span lineAt(std::string_view text, std::size_t pos) {
    const std::size_t nl = text.find('\n', pos);
    if (nl == npos)
        return {pos, text.size(), text.size()};
    std::size_t end = nl;
    if (end > pos && text[end - 1] == '\r')
        --end;
    return {pos, end, nl + 1};
}

// A hexadecimal number as strtoul(…, 16) reads it from `p`; gives the position after it, or
// `p` itself when there is no number. `value` saturates above 0xffff.
std::size_t readHexNumber(std::string_view s, std::size_t p, unsigned long& value) {
    value = 0;
    std::size_t q = p;
    if (q + 2 < s.size() && s[q] == '0' && (s[q + 1] == 'x' || s[q + 1] == 'X') &&
        isHexDigit(s[q + 2]))
        q += 2;
    const std::size_t digits = q;
    while (q < s.size() && isHexDigit(s[q])) {
        if (value <= 0xffff)
            value = value * 16 + hexValue(s[q]);
        ++q;
    }
    return q == digits ? p : q;
}

// Offset of the hex byte list when `data` (the text after '=') holds a binary value, else npos.
std::size_t hexListStart(std::string_view data) {
    if (data.starts_with("hex:"))
        return 4;
    if (!data.starts_with("hex("))
        return npos;
    std::size_t q = skipSpaces(data, 4);
    if (q < data.size() && (data[q] == '+' || data[q] == '-'))
        ++q;
    unsigned long ignored = 0;
    std::size_t end = readHexNumber(data, q, ignored);
    if (end == q)
        end = 4; // nothing converted: strtoul leaves the end at its start
    return data.substr(end, 2) == "):" ? end + 2 : npos;
}

// Wine's hex list reader: gives the position after the list, or npos when a byte is too large.
std::size_t readHexList(std::string_view s, std::size_t p) {
    while (p < s.size() && isHexDigit(s[p])) {
        // Nearly every byte is two digits and a comma; only other forms need strtoul's rules.
        if (p + 2 < s.size() && isHexDigit(s[p + 1]) && s[p + 2] == ',') {
            p = skipSpaces(s, p + 3);
            continue;
        }
        unsigned long value = 0;
        p = readHexNumber(s, p, value);
        if (value > 0xff)
            return npos;
        p = skipSpaces(s, p);
        if (p < s.size() && s[p] == ',')
            ++p;
        p = skipSpaces(s, p);
    }
    return p;
}

// Does a line's hex list ask for the next line? (Wine then reads it whatever it holds.)
bool wantsContinuation(std::string_view line, std::size_t p) {
    p = readHexList(line, p);
    if (p == npos)
        return false;
    p = skipSpaces(line, p);
    return p < line.size() && line[p] == '\\';
}

// The position after the closing quote of a quoted name that starts at `p`, or npos. An escape
// always takes the character after the backslash, and none of the digits it may take is a quote.
std::size_t quotedEnd(std::string_view s, std::size_t p) {
    for (; p < s.size(); ++p) {
        if (s[p] == '"')
            return p + 1;
        if (s[p] == '\\')
            ++p;
    }
    return npos;
}

// Whether a section's key path names `target` (a normal key), ignoring case. It allocates
// nothing, as the scan meets every key of the file.
bool sameKey(std::u16string_view fileKey, std::u16string_view target) {
    std::size_t matched = 0;
    for (std::size_t start = 0, end = 0; start <= fileKey.size(); start = end + 1) {
        end = std::min(fileKey.find(u'\\', start), fileKey.size());
        if (end == start)
            continue;
        if (matched > 0 && (matched >= target.size() || target[matched++] != u'\\'))
            return false;
        const std::u16string_view part = fileKey.substr(start, end - start);
        if (!RegEscape::equalsIgnoreCase(part, target.substr(matched, part.size())))
            return false;
        matched += part.size();
    }
    return matched == target.size();
}

using Line = UserRegFile::Line;

// Walks the file as Wine's loader does and calls `onLine(line, key, span)` for every line that is
// not blank, a value together with its continuation lines; `key` holds the path of the last key
// line. A value outside a key's section comes as Kind::Other, since Wine does not take it.
// Returns false when Wine would refuse the whole file.
template <typename OnLine> bool scan(std::string_view text, OnLine onLine) {
    if (text.find('\0') != npos)
        return false;
    Span line = lineAt(text, 0);
    if (text.substr(0, line.end) != UserRegFile::kHeader)
        return false;

    bool inKey = false;
    std::string_view globalArch;
    std::u16string key;
    for (std::size_t pos = line.next; pos < text.size();) {
        line = lineAt(text, pos);
        pos = line.next;
        const std::string_view content = text.substr(line.start, line.end - line.start);
        Line parsed = UserRegFile::parseLine(content, key);
        if (parsed.kind == Line::Kind::Blank)
            continue;
        const auto offset = [&](std::string_view part) {
            return static_cast<std::size_t>(part.data() - content.data());
        };
        Span span = line;
        span.start += offset(parsed.text);
        if (parsed.kind == Line::Kind::Key || parsed.kind == Line::Kind::BadKey) {
            inKey = parsed.kind == Line::Kind::Key;
        } else if (parsed.kind == Line::Kind::Value && inKey) {
            span.dataStart = line.start + offset(parsed.data);
            const std::size_t list = hexListStart(parsed.data);
            std::string_view current = content;
            std::size_t p = offset(parsed.data) + list;
            while (list != npos && wantsContinuation(current, p)) {
                if (pos >= text.size()) {
                    span.dangling = true;
                    break;
                }
                line = lineAt(text, pos);
                pos = line.next;
                current = text.substr(line.start, line.end - line.start);
                p = skipSpaces(current, 0);
                span.end = line.end;
                span.next = line.next;
            }
        } else {
            parsed.kind = Line::Kind::Other;
            if (!inKey && parsed.text.starts_with("#arch=")) {
                const std::string_view arch = parsed.text.substr(6);
                if ((arch != "win32" && arch != "win64") ||
                    (!globalArch.empty() && arch != globalArch))
                    return false;
                globalArch = arch;
            }
        }
        onLine(parsed, key, span);
    }
    return true;
}

std::string valueLine(std::u16string_view name, std::uint32_t value) {
    std::string line =
        name.empty() ? std::string("@") : '"' + RegEscape::escape(name, '"', '"') + '"';
    line += "=dword:";
    RegEscape::appendNumber(line, value, 16, 8);
    return line;
}

std::string sectionText(std::u16string_view key, std::u16string_view name, std::uint32_t value,
                        std::int64_t unixSeconds, std::string_view eol) {
    const std::string end(eol);
    std::string out = '[' + RegEscape::escape(key, '[', ']') + "] " + std::to_string(unixSeconds) +
                      end + "#time=";
    // Windows FILETIME: 100 ns ticks since 1601.
    const auto ticks = static_cast<std::uint64_t>(unixSeconds + 11644473600LL) * 10000000ULL;
    RegEscape::appendNumber(out, ticks, 16, 1);
    return out + end + valueLine(name, value) + end;
}

// The key path with its components joined by single backslashes, and the value name.
struct Target {
    std::u16string key;
    std::u16string name;
};

std::optional<Target> makeTarget(std::string_view keyPath, std::string_view valueName) {
    const auto key = RegEscape::utf16FromUtf8(keyPath);
    auto name = RegEscape::utf16FromUtf8(valueName);
    std::u16string normal = key ? RegEscape::normalKey(*key) : std::u16string();
    if (normal.empty() || !name)
        return std::nullopt;
    return Target{std::move(normal), std::move(*name)};
}

} // namespace

std::optional<std::vector<UserRegFile::Value>> UserRegFile::read(std::string_view text) {
    std::vector<Value> values;
    if (!scan(text, [&](const Line& line, const std::u16string& key, const Span& span) {
            if (line.kind != Line::Kind::Value)
                return;
            Value value{RegEscape::normalKey(key), {}, {}};
            if (!line.name.empty())
                RegEscape::unescape(line.name, '"', value.name);
            // Continuation lines joined with '\n' whatever their line ends.
            const std::string_view raw = text.substr(span.dataStart, span.end - span.dataStart);
            for (std::size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] != '\r' || i + 1 == raw.size() || raw[i + 1] != '\n')
                    value.data += raw[i];
            }
            values.push_back(std::move(value));
        }))
        return std::nullopt;
    return values;
}

const UserRegFile::Value* UserRegFile::find(const std::vector<Value>& values,
                                            std::string_view keyPath, std::string_view valueName) {
    const auto target = makeTarget(keyPath, valueName);
    if (!target)
        return nullptr;
    const auto found = std::find_if(values.rbegin(), values.rend(), [&](const Value& v) {
        return RegEscape::equalsIgnoreCase(v.key, target->key) &&
               RegEscape::equalsIgnoreCase(v.name, target->name);
    });
    return found == values.rend() ? nullptr : &*found;
}

std::optional<std::string> UserRegFile::withDword(std::string_view text, std::string_view keyPath,
                                                  std::string_view valueName, std::uint32_t value,
                                                  std::int64_t unixSeconds) {
    auto target = makeTarget(keyPath, valueName);
    if (!target)
        return std::nullopt;
    // The last definition of the value in the target key, the last line of the key's last
    // section, and whether the file's last line leaves a continuation dangling.
    std::optional<Span> definition;
    std::optional<Span> sectionEnd;
    bool lastDangling = false;
    bool inTarget = false;
    std::u16string name;
    const auto matches = [&](std::string_view rawName) {
        if (rawName.empty())
            return target->name.empty();
        return RegEscape::unescape(rawName, '"', name) &&
               RegEscape::equalsIgnoreCase(name, target->name);
    };
    const bool loaded =
        scan(text, [&](const Line& line, const std::u16string& key, const Span& span) {
            if (line.kind == Line::Kind::Key || line.kind == Line::Kind::BadKey)
                inTarget = line.kind == Line::Kind::Key && sameKey(key, target->key);
            else if (inTarget && line.kind == Line::Kind::Value && matches(line.name))
                definition = span;
            lastDangling = span.dangling;
            if (inTarget)
                sectionEnd = span;
        });
    // An addition after a dangling continuation would be read as part of that value.
    if (!loaded || (!definition && (sectionEnd ? sectionEnd->dangling : lastDangling)))
        return std::nullopt;
    // Added lines follow the file's own line ends, taken from its first line.
    const Span header = lineAt(text, 0);
    const std::string_view eol = header.end + 1 < header.next ? "\r\n" : "\n";
    const std::string newValue = valueLine(target->name, value);

    std::string out;
    out.reserve(text.size() + newValue.size() + 256);
    if (definition) {
        // The last definition is the one Wine keeps; its continuation lines go with it.
        out.append(text.substr(0, definition->start));
        out.append(newValue);
        out.append(text.substr(definition->end));
        return out;
    }
    // The value goes at the end of the key's last section, else a new section ends the file.
    const std::size_t at = sectionEnd ? sectionEnd->next : text.size();
    out.append(text.substr(0, at));
    // A last line without a line end gets one. Wine keeps a '\r' that no '\n' follows as part
    // of the line, so such a line gets "\r\n" and its '\r' stays its own.
    if (!out.ends_with('\n'))
        out.append(out.ends_with('\r') ? std::string_view("\r\n") : eol);
    if (sectionEnd) {
        out.append(newValue);
        out.append(eol);
    } else {
        // Keys are separated by a blank line, as Wine writes them. `out` ends with '\n' here.
        const std::string_view lines = std::string_view(out).substr(0, out.size() - 1);
        if (skipSpaces(lines, lines.rfind('\n') + 1) != lines.size()) // npos + 1 is 0
            out.append(eol);
        out.append(sectionText(target->key, target->name, value, unixSeconds, eol));
    }
    out.append(text.substr(at));
    return out;
}

std::optional<std::string> UserRegFile::newFile(std::string_view arch, std::string_view keyPath,
                                                std::string_view valueName, std::uint32_t value,
                                                std::int64_t unixSeconds) {
    auto target = makeTarget(keyPath, valueName);
    if (!target)
        return std::nullopt;
    std::string out(kHeader);
    out += "\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n";
    if (!arch.empty())
        out += "#arch=" + std::string(arch) + '\n';
    out += '\n';
    out += sectionText(target->key, target->name, value, unixSeconds, "\n");
    return out;
}

UserRegFile::Line UserRegFile::parseLine(std::string_view line, std::u16string& key) {
    Line out;
    const std::size_t first = skipSpaces(line, 0);
    out.text = line.substr(first);
    if (out.text.empty()) {
        out.kind = Line::Kind::Blank;
        return out;
    }
    const char c = out.text.front();
    if (c == '[') {
        out.kind = RegEscape::unescape(out.text.substr(1), ']', key) ? Line::Kind::Key
                                                                     : Line::Kind::BadKey;
        return out;
    }
    if (c != '"' && c != '@')
        return out;
    const std::size_t nameEnd = c == '"' ? quotedEnd(out.text, 1) : 1;
    if (nameEnd == npos)
        return out;
    const std::size_t equals = skipSpaces(out.text, nameEnd);
    if (equals >= out.text.size() || out.text[equals] != '=')
        return out;
    out.kind = Line::Kind::Value;
    if (c == '"')
        out.name = out.text.substr(1, nameEnd - 1);
    out.data = out.text.substr(skipSpaces(out.text, equals + 1));
    return out;
}

std::optional<std::u16string> UserRegFile::stringValue(std::string_view data) {
    if (data.starts_with("str(2):") || data.starts_with("str(1):"))
        data.remove_prefix(7);
    std::u16string text;
    if (!data.starts_with('"') || !RegEscape::unescape(data.substr(1), '"', text))
        return std::nullopt;
    return text;
}

std::optional<std::uint32_t> UserRegFile::dwordValue(std::string_view data) {
    if (!data.starts_with("dword:"))
        return std::nullopt;
    std::uint32_t value = 0;
    const char* end = data.data() + data.size();
    const auto [last, ec] = std::from_chars(data.data() + 6, end, value, 16);
    return ec == std::errc() && last == end ? std::optional(value) : std::nullopt;
}

std::string UserRegFile::archOf(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Span line = lineAt(text, pos);
        pos = line.next;
        std::string_view content = text.substr(line.start, line.end - line.start);
        content.remove_prefix(skipSpaces(content, 0));
        if (content.starts_with('['))
            break;
        if (content == "#arch=win32" || content == "#arch=win64")
            return std::string(content.substr(6));
    }
    return {};
}

} // namespace tintaro
