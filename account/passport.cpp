#include "passport.h"

#include <array>
#include <string_view>

namespace tintaro::passport {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint8_t kPad = '=';

// The program decodes on its one UI thread, so a plain flag guards the lazy build.
std::array<std::uint8_t, 256> g_reverse{};
bool g_initialised = false;

// The reverse map: the 6-bit value of each byte (0 for bytes outside the alphabet). Built on the
// first decode.
void InitBase64Tables() {
    g_reverse.fill(0);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        g_reverse[static_cast<std::uint8_t>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    g_initialised = true;
}

} // namespace

void Base64Decode(const ByteArray& input, ByteArray& output) {
    const std::int64_t lb = input.lowerBound;
    const std::int64_t ub = input.upperBound();
    if (ub < lb)
        return;
    // Bytes outside the array read as 0, so malformed tails stay inside it.
    const auto at = [&](std::int64_t index) -> std::uint8_t {
        return index >= lb && index <= ub ? input.bytes[static_cast<std::size_t>(index - lb)] : 0;
    };

    std::int64_t end = ub;
    if (at(end) == kPad)
        --end;
    if (at(end) == kPad)
        --end;

    // C++ division truncates toward zero, as the bounds need when `end` is below `lb`.
    const std::int64_t outUpper = lb + ((end - lb) * 3) / 4;
    output.lowerBound = input.lowerBound;
    output.bytes.assign(static_cast<std::size_t>(outUpper - lb + 1), 0);

    if (!g_initialised)
        InitBase64Tables();
    const auto value = [&](std::int64_t index) { return g_reverse[at(index)]; };

    std::int64_t i = lb;
    std::size_t o = 0;
    std::uint8_t* out = output.bytes.data();
    if (end - 3 >= lb) {
        // Whole groups lie inside the array: read them directly.
        const std::uint8_t* in = input.bytes.data();
        const std::size_t groups = static_cast<std::size_t>((end - lb + 1) / 4);
        for (std::size_t g = 0; g < groups; ++g) {
            const std::uint8_t c0 = g_reverse[in[0]];
            const std::uint8_t c1 = g_reverse[in[1]];
            const std::uint8_t c2 = g_reverse[in[2]];
            const std::uint8_t c3 = g_reverse[in[3]];
            out[o] = static_cast<std::uint8_t>(c0 * 4 + c1 / 16);
            out[o + 1] = static_cast<std::uint8_t>((c1 % 16) * 16 + c2 / 4);
            out[o + 2] = static_cast<std::uint8_t>((c2 % 4) * 64 + c3);
            in += 4;
            o += 3;
        }
        i += static_cast<std::int64_t>(groups) * 4;
    }

    const std::int64_t r = (outUpper - lb) - static_cast<std::int64_t>(o);
    if (r == 0) {
        out[o] = static_cast<std::uint8_t>(value(i) * 4 + value(i + 1) / 16);
    } else if (r == 1) {
        const std::uint8_t c1 = value(i + 1);
        const std::uint8_t c2 = value(i + 2);
        out[o] = static_cast<std::uint8_t>(value(i) * 4 + c1 / 16);
        out[o + 1] = static_cast<std::uint8_t>((c1 % 16) * 16 + c2 / 4);
    }
}

} // namespace tintaro::passport
