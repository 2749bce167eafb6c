// SPDX-License-Identifier: MIT
#include "passport.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tintaro::passport {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of each byte; 0 for bytes outside the alphabet.
constexpr auto kReverse = [] {
    std::array<std::uint8_t, 256> table{};
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<std::uint8_t>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    return table;
}();

} // namespace

std::vector<std::uint8_t> Base64Decode(std::span<const std::uint8_t> in) {
    if (in.empty())
        return {};
    std::size_t unpadded = in.size();
    for (int pads = 0; pads < 2 && unpadded > 0 && in[unpadded - 1] == '='; ++pads)
        --unpadded;
    std::vector<std::uint8_t> output(unpadded == 0 ? 1 : (unpadded - 1) * 3 / 4 + 1, 0);
    // Bytes past the end read as 0, so malformed tails stay inside the input.
    const auto value = [&](std::size_t i) -> unsigned {
        return i < in.size() ? kReverse[in[i]] : 0;
    };
    for (std::size_t o = 0, i = 0; o < output.size(); o += 3, i += 4) {
        const unsigned c0 = value(i), c1 = value(i + 1), c2 = value(i + 2), c3 = value(i + 3);
        const std::uint8_t group[3] = {static_cast<std::uint8_t>(c0 << 2 | c1 >> 4),
                                       static_cast<std::uint8_t>(c1 << 4 | c2 >> 2),
                                       static_cast<std::uint8_t>(c2 << 6 | c3)};
        std::copy_n(group, std::min<std::size_t>(3, output.size() - o), output.begin() + o);
    }
    return output;
}

} // namespace tintaro::passport
