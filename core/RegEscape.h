// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text conversions of the Wine registry file format. Wine keeps names as UTF-16 and writes every
// unit above 127 as a \x escape, so names are compared and written as UTF-16 here.
namespace tintaro::RegEscape {

// UTF-8 to UTF-16; nullopt for malformed UTF-8 (overlong forms, surrogates, truncated sequences).
std::optional<std::u16string> utf16FromUtf8(std::string_view utf8);

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

// Hexadecimal digits as the file writes and reads them. Inline: reading a file calls these for
// every byte of its hex values.
inline bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// The value of a hexadecimal digit; only for a character isHexDigit accepts.
inline unsigned hexValue(char c) {
    return static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
}
// Appends `value` in `base`, 8 or 16 (lower-case digits), padded with zeros to `minDigits`.
void appendNumber(std::string& out, std::uint64_t value, int base, int minDigits);

// `text` escaped as Wine writes it: backslash, `extra1` and `extra2` get a backslash in front;
// control characters become \a \b \t \n \v \f \r \e or octal; units above 127 become \x<hex>.
// Key names use '[' and ']', value names and strings '"' twice.
std::string escape(std::u16string_view text, char extra1, char extra2);

// Reads an escaped string from the start of `src` up to the unescaped `endChar`, as Wine's loader
// does. Gives the number of bytes used including `endChar`, or nullopt when `endChar` is missing.
// A byte above 127 that is not escaped becomes 0xFF00 + byte, as Wine's loader makes it.
std::optional<std::size_t> unescape(std::string_view src, char endChar, std::u16string& out);

// Equal ignoring the case of ASCII letters.
bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

// The key path with its components joined by single backslashes: Wine skips repeated, leading
// and trailing backslashes.
std::u16string normalKey(std::u16string_view path);

} // namespace tintaro::RegEscape
