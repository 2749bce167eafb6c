// SPDX-License-Identifier: MIT
#include "Base64TestEncoder.h"
#include "passport.h"

#include <gtest/gtest.h>
#include <random>

namespace tintaro::passport {
namespace {

std::vector<std::uint8_t> decode(std::string_view text) {
    return Base64Decode(std::vector<std::uint8_t>(text.begin(), text.end()));
}

struct DecodeCase {
    const char* name;
    std::string input;
    std::vector<std::uint8_t> expected;
};

class Base64DecodeCases : public testing::TestWithParam<DecodeCase> {};

TEST_P(Base64DecodeCases, Decodes) {
    const auto& c = GetParam();
    EXPECT_EQ(decode(c.input), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Base64DecodeCases,
    testing::Values(DecodeCase{"FullGroup", "QUJD", {'A', 'B', 'C'}},
                    DecodeCase{"OnePadTwoBytes", "QUI=", {'A', 'B'}},
                    DecodeCase{"TwoPadsOneByte", "QQ==", {'A'}},
                    DecodeCase{"NoPaddingTwoChars", "QQ", {'A'}},
                    DecodeCase{"NoPaddingThreeChars", "QUI", {'A', 'B'}},
                    DecodeCase{"OnlyTwoPads", "==", {0}}, DecodeCase{"LonePad", "=", {0}},
                    DecodeCase{"ThreePadsLeaveOne", "===", {0}},
                    // Only two pads go; the third decodes as 0 in a one-character tail.
                    DecodeCase{"ThreeTrailingPads", "QUJD===", {'A', 'B', 'C', 0}},
                    DecodeCase{"SingleCharacterTail", "QUJDR", {'A', 'B', 'C', 'D'}},
                    DecodeCase{"SingleCharacter", "R", {'D'}},
                    DecodeCase{"SingleCharacterTailAfterPads", "QUJDR==", {'A', 'B', 'C', 'D'}},
                    DecodeCase{"PadInsideIsZero", "QU=D", {65, 64, 3}},
                    DecodeCase{"ForeignByteIsZero", "Q*JD", {64, 2, 67}},
                    DecodeCase{"LineBreakShiftsGroups", "QUJD\nQUJD", {65, 66, 67, 1, 5, 9, 12}},
                    DecodeCase{"HighBytes", "////", {255, 255, 255}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Base64Decode, EmptyInputGivesNoBytes) {
    EXPECT_TRUE(decode("").empty());
}

TEST(Base64Decode, EveryByteValueThroughTheMap) {
    const std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int b = 0; b < 256; ++b) {
        const auto pos = alphabet.find(static_cast<char>(b));
        const int value = pos == std::string_view::npos ? 0 : static_cast<int>(pos);
        // The byte in each of the four places of a group, the others 'A' (0).
        for (int place = 0; place < 4; ++place) {
            std::string group = "AAAA";
            group[static_cast<std::size_t>(place)] = static_cast<char>(b);
            group += "AAAA"; // keeps a '=' from being trailing padding
            const auto out = decode(group);
            ASSERT_EQ(out.size(), 6u);
            const std::uint32_t bits = (std::uint32_t{out[0]} << 16) | (out[1] << 8) | out[2];
            EXPECT_EQ(bits, static_cast<std::uint32_t>(value) << (6 * (3 - place)))
                << "byte " << b << " place " << place;
        }
    }
}

TEST(Base64Decode, RoundTripsAgainstAnIndependentEncoder) {
    std::mt19937 random(20260607);
    for (std::size_t length = 0; length < 300; ++length) {
        std::string data(length, '\0');
        for (char& c : data)
            c = static_cast<char>(random() & 0xFF);
        for (const bool pad : {true, false}) {
            const std::string text = test::base64Encode(data, pad);
            if (text.empty())
                continue;
            EXPECT_EQ(decode(text), std::vector<std::uint8_t>(data.begin(), data.end()))
                << "length " << length << " pad " << pad;
        }
    }
}

} // namespace
} // namespace tintaro::passport
