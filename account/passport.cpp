#include "passport.h"

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

void Base64Decode(const ByteArray& input, ByteArray& output) {
    const std::vector<std::uint8_t>& in = input.bytes;
    if (in.empty())
        return;
    std::size_t unpadded = in.size();
    for (int pads = 0; pads < 2 && unpadded > 0 && in[unpadded - 1] == '='; ++pads)
        --unpadded;
    output.lowerBound = input.lowerBound;
    output.bytes.assign(unpadded == 0 ? 1 : (unpadded - 1) * 3 / 4 + 1, 0);
    // Bytes past the end read as 0, so malformed tails stay inside the input.
    const auto value = [&](std::size_t i) -> unsigned {
        return i < in.size() ? kReverse[in[i]] : 0;
    };
    for (std::size_t o = 0; o < output.bytes.size(); ++o) {
        // Byte k of a group of three takes bits from characters k and k + 1 of its four.
        const std::size_t k = o % 3;
        const std::size_t i = o / 3 * 4 + k;
        output.bytes[o] =
            static_cast<std::uint8_t>((value(i) << (2 + 2 * k)) | (value(i + 1) >> (4 - 2 * k)));
    }
}

} // namespace tintaro::passport
