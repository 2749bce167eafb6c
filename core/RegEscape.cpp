// SPDX-License-Identifier: MIT
#include "RegEscape.h"

#include <algorithm>
#include <charconv>

namespace tintaro::RegEscape {

void appendNumber(std::string& out, std::uint64_t value, int base, int minDigits) {
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, base).ptr;
    out.append(static_cast<std::size_t>(std::max<std::ptrdiff_t>(minDigits - (end - buffer), 0)),
               '0');
    out.append(std::string_view(buffer, end));
}

std::optional<std::u16string> utf16FromUtf8(std::string_view utf8) {
    static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000}; // by sequence length
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i++]);
        const std::size_t extra = lead < 0x80   ? 0
                                  : lead < 0xc0 ? 4
                                  : lead < 0xe0 ? 1
                                  : lead < 0xf0 ? 2
                                  : lead < 0xf8 ? 3
                                                : 4;
        if (extra > 3 || utf8.size() - i < extra)
            return std::nullopt;
        std::uint32_t code = extra == 0 ? lead : lead & (0x3fu >> extra);
        for (const std::size_t end = i + extra; i < end; ++i) {
            const auto next = static_cast<unsigned char>(utf8[i]);
            if ((next & 0xc0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3f);
        }
        if (code < kSmallest[extra] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff))
            return std::nullopt;
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xd800 + (code >> 10));
            code = 0xdc00 + (code & 0x3ff);
        }
        out += static_cast<char16_t>(code);
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xd800 && code <= 0xdbff && i + 1 < utf16.size() && utf16[i + 1] >= 0xdc00 &&
            utf16[i + 1] <= 0xdfff) {
            code = 0x10000 + ((code - 0xd800) << 10) + (utf16[++i] - 0xdc00);
        } else if (code >= 0xd800 && code <= 0xdfff) {
            code = 0xfffd;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
            continue;
        }
        // A lead byte marking the count of continuation bytes, then six bits in each.
        const int extra = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        out += static_cast<char>(((0xffu << (7 - extra)) & 0xff) | (code >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3f));
    }
    return out;
}

std::string escape(std::u16string_view text, char extra1, char extra2) {
    // Index by control code; '.' marks the codes without a letter escape.
    static constexpr char kLetters[33] = ".......abtnvfr.............e....";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool nextIsHex =
            i + 1 < text.size() && text[i + 1] < 128 && isHexDigit(static_cast<char>(text[i + 1]));
        if (c > 127) {
            // Padding keeps a following hex digit from being read as part of the escape.
            out += "\\x";
            appendNumber(out, c, 16, nextIsHex ? 4 : 1);
        } else if (c < 32) {
            out += '\\';
            if (kLetters[c] != '.') {
                out += kLetters[c];
            } else {
                const bool nextIsOctal =
                    i + 1 < text.size() && text[i + 1] >= u'0' && text[i + 1] <= u'7';
                appendNumber(out, c, 8, nextIsOctal ? 3 : 1);
            }
        } else {
            const char ascii = static_cast<char>(c);
            if (ascii == '\\' || ascii == extra1 || ascii == extra2)
                out += '\\';
            out += ascii;
        }
    }
    return out;
}

std::optional<std::size_t> unescape(std::string_view src, char endChar, std::u16string& out) {
    // Wine widens the (signed) char, so raw bytes above 127 land at 0xFF80..0xFFFF.
    const auto widen = [](char c) {
        return static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(c)));
    };
    static constexpr std::string_view kLetters = "abefnrtv";
    static constexpr char16_t kCodes[] = u"\a\b\x1b\f\n\r\t\v";
    out.clear();
    std::size_t p = 0;
    // Up to `maxDigits` more digits of `base` (8 or 16) added to `value`.
    const auto number = [&](unsigned base, int maxDigits, unsigned value) {
        for (int k = 0; k < maxDigits && p < src.size() &&
                        (base == 16 ? isHexDigit(src[p]) : src[p] >= '0' && src[p] <= '7');
             ++k, ++p)
            value = value * base + hexValue(src[p]);
        return static_cast<char16_t>(value);
    };
    while (p < src.size() && src[p] != endChar) {
        if (src[p] != '\\') {
            out += widen(src[p++]);
            continue;
        }
        if (++p >= src.size())
            return std::nullopt;
        // A letter escape, \x with up to four hex digits, up to three octal digits, or else the
        // character itself.
        const char c = src[p++];
        if (const std::size_t letter = kLetters.find(c); letter != std::string_view::npos)
            out += kCodes[letter];
        else if (c == 'x' && p < src.size() && isHexDigit(src[p]))
            out += number(16, 4, 0);
        else if (c >= '0' && c <= '7')
            out += number(8, 2, static_cast<unsigned>(c - '0'));
        else
            out += widen(c);
    }
    if (p >= src.size())
        return std::nullopt;
    return p + 1;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c + 0; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

std::u16string normalKey(std::u16string_view path) {
    std::u16string out;
    out.reserve(path.size());
    for (std::size_t start = 0, end = 0; start <= path.size(); start = end + 1) {
        end = std::min(path.find(u'\\', start), path.size());
        if (end == start)
            continue;
        if (!out.empty())
            out += u'\\';
        out += path.substr(start, end - start);
    }
    return out;
}

} // namespace tintaro::RegEscape
