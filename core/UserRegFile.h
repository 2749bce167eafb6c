// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintaro {

// Reads and edits the text of a Wine registry file (a prefix's user.reg) exactly as Wine's own
// loader reads it, so that an edit changes only the lines it means to and never a value that
// Wine would see differently. No I/O: the caller reads and writes the file.
class UserRegFile {
public:
    // The first line Wine requires; without it Wine ignores the whole file and never saves it.
    static constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

    // One value as Wine loads it: the key's components joined by single backslashes, the value
    // name (empty for the default value) and the text after '=' (continuation lines joined with
    // '\n').
    struct Value {
        std::u16string key;
        std::u16string name;
        std::string data;
    };

    // Every value in file order, as Wine would load it (a later value of the same name overrides
    // an earlier one); nullopt when Wine would not load the file at all: first line not the
    // header, a NUL byte, or a global #arch line that Wine rejects.
    static std::optional<std::vector<Value>> read(std::string_view text);

    // The value Wine keeps for `valueName` of `keyPath` (UTF-8) among read()'s `values`, found as
    // withDword() finds it (the last definition, names compared ignoring case); else nullptr.
    static const Value* find(const std::vector<Value>& values, std::string_view keyPath,
                             std::string_view valueName);

    // `text` with the REG_DWORD `valueName` of `keyPath` set to `value`: the last definition of
    // that value (whatever its type) is replaced in place, else the line is added at the end of
    // the key's last section, else a new section stamped `unixSeconds` is appended. Every other
    // byte is kept. Key and value names are UTF-8; the key path is relative to the file's root.
    // nullopt when the file is refused (as read() refuses it, or when an addition would be
    // swallowed by a dangling continuation line at the end) or the names are not valid UTF-8.
    static std::optional<std::string> withDword(std::string_view text, std::string_view keyPath,
                                                std::string_view valueName, std::uint32_t value,
                                                std::int64_t unixSeconds);

    // A complete new file holding only that value. `arch` is "win32", "win64" or empty (no
    // #arch line).
    static std::optional<std::string> newFile(std::string_view arch, std::string_view keyPath,
                                              std::string_view valueName, std::uint32_t value,
                                              std::int64_t unixSeconds);

    // The text of a global "#arch=" line in `text` ("win32" or "win64"), or empty.
    static std::string archOf(std::string_view text);

    // One line as Wine's loader reads it, for a reader that goes through a file line by line.
    // Views point into the line given to parseLine().
    struct Line {
        enum class Kind {
            Blank,  // empty or only blanks
            Key,    // "[key]": the key path as written, unescaped, is in parseLine's `key`
            BadKey, // a '[' line without its ']': it ends the current key's section
            Value,  // a value definition; Wine takes it only inside a key's section
            Other,  // anything else, a malformed value line included
        };
        Kind kind = Kind::Other;
        std::string_view text; // the line without its leading blanks
        // Value: the name after its opening quote, closing quote included (as unescape() wants
        // it); empty for '@', the default value.
        std::string_view name;
        std::string_view data; // Value: the text after '=' and the blanks after it
    };
    // `line` is one line without its line end ("\n", or "\r\n").
    static Line parseLine(std::string_view line, std::u16string& key);

    // The text of a string value (REG_SZ or REG_EXPAND_SZ) from its data; nullopt for other types
    // or an unterminated string.
    static std::optional<std::u16string> stringValue(std::string_view data);
    // The number of a REG_DWORD value ("dword:" and hex digits) from its data; nullopt otherwise.
    static std::optional<std::uint32_t> dwordValue(std::string_view data);
};

} // namespace tintaro
