// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tintaro::test {

// A plain RFC 4648 encoder, written apart from the decoder under test.
inline std::string base64Encode(std::string_view bytes, bool pad = true) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<std::uint8_t>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += kDigits[(bits >> count) & 63];
        }
    }
    if (count > 0)
        out += kDigits[(bits << (6 - count)) & 63];
    while (pad && out.size() % 4 != 0)
        out += '=';
    return out;
}

// UTF-16 little-endian bytes of an ASCII text.
inline std::string utf16le(std::string_view ascii) {
    std::string out;
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

} // namespace tintaro::test
