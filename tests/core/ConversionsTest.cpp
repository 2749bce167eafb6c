// SPDX-License-Identifier: MIT
#include "Conversions.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace tintaro::conv;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TextCase {
    std::string text;
    double expected;
};

class TextToNumber : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToNumber, ReadsTheLeadingNumber) {
    const TextCase& c = GetParam();
    // Exact equality: the reading must be correctly rounded, as the literal is.
    EXPECT_EQ(textToNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumber,
    ::testing::Values(TextCase{"", 0}, TextCase{"0", 0}, TextCase{"255", 255}, TextCase{"  42", 42},
                      TextCase{"\t\n 7", 7}, TextCase{"-12", -12}, TextCase{"+12", 12},
                      TextCase{"12abc", 12}, TextCase{"abc12", 0}, TextCase{"1.2.3", 1.2},
                      TextCase{"  +.5e-3x", 0.0005}, TextCase{"5.", 5}, TextCase{".5", 0.5},
                      TextCase{".", 0}, TextCase{"-", 0}, TextCase{"+", 0}, TextCase{"-.", 0},
                      TextCase{"--5", 0}, TextCase{"- 5", 0}, TextCase{"1e3", 1000},
                      TextCase{"1E+2", 100}, TextCase{"1e", 1}, TextCase{"1e+", 1},
                      TextCase{"1e-", 1}, TextCase{"2ex", 2}, TextCase{"&H10", 0},
                      TextCase{"0x10", 0}, TextCase{"1 2", 1}, TextCase{"1,5", 1},
                      TextCase{"1e999", 0}, TextCase{"-1e999", 0}, TextCase{"1e-999", 0},
                      TextCase{"-1e30", -1e30}, TextCase{"inf", 0}, TextCase{"nan", 0},
                      TextCase{"-0", 0}, TextCase{"0.000e5000", 0},
                      TextCase{"1e99999999999999999999", 0}, TextCase{"1e-99999999999999999999", 0},
                      TextCase{std::string("12\0"
                                           "34",
                                           5),
                               12},
                      TextCase{std::string("\0"
                                           "34",
                                           3),
                               0},
                      TextCase{"127.5", 127.5}));

TEST(TextToNumberHostile, TenThousandDigitsBeyondRangeGiveZero) {
    EXPECT_EQ(textToNumber(std::string(10000, '9')), 0.0);
    EXPECT_EQ(textToNumber("-" + std::string(10000, '9')), 0.0);
}

TEST(TextToNumberHostile, TenThousandDigitsAfterPoint) {
    EXPECT_EQ(textToNumber("0." + std::string(10000, '3')), 1.0 / 3.0);
    // All those zeros put the first significant digit far below the smallest double.
    EXPECT_EQ(textToNumber("0." + std::string(10000, '0') + "1"), 0.0);
    // ...but an exponent can bring it back into range.
    EXPECT_EQ(textToNumber("0." + std::string(10000, '0') + "1e10001"), 1.0);
    EXPECT_EQ(textToNumber(std::string(10000, '0') + "42"), 42.0);
}

TEST(TextToNumberHostile, ZeroHasNoSign) {
    EXPECT_FALSE(std::signbit(textToNumber("-0")));
    EXPECT_FALSE(std::signbit(textToNumber("-0.0e7")));
    EXPECT_FALSE(std::signbit(textToNumber("-1e-999")));
}

struct RoundCase {
    double value;
    std::int16_t to16;
    std::int32_t to32;
};

class Rounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, HalvesGoToTheEvenNeighbourAndSaturate) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(roundToInt16(c.value), c.to16) << c.value;
    EXPECT_EQ(roundToInt32(c.value), c.to32) << c.value;
}

constexpr std::int64_t kI64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kI64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kI32Min = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Table, Rounding,
    ::testing::Values(
        RoundCase{127.5, 128, 128}, RoundCase{258.5, 258, 258}, RoundCase{-0.5, 0, 0},
        RoundCase{0.5, 0, 0}, RoundCase{1.5, 2, 2}, RoundCase{2.5, 2, 2}, RoundCase{-1.5, -2, -2},
        RoundCase{-2.5, -2, -2}, RoundCase{2.4999999999999996, 2, 2},
        RoundCase{2.5000000000000004, 3, 3}, RoundCase{-2.51, -3, -3},
        RoundCase{32767.5, 32767, 32768}, RoundCase{32766.5, 32766, 32766},
        RoundCase{-32768.5, -32768, -32768}, RoundCase{-32769.5, -32768, -32770},
        RoundCase{2147483647.5, 32767, kI32Max}, RoundCase{-2147483648.5, -32768, kI32Min},
        RoundCase{-2147483649.5, -32768, kI32Min}, RoundCase{4503599627370497.0, 32767, kI32Max},
        RoundCase{9223372036854775808.0, 32767, kI32Max},
        RoundCase{-9223372036854775808.0, -32768, kI32Min}, RoundCase{1e300, 32767, kI32Max},
        RoundCase{-1e300, -32768, kI32Min}, RoundCase{kInf, 32767, kI32Max},
        RoundCase{-kInf, -32768, kI32Min}, RoundCase{kNaN, 0, 0}, RoundCase{-kNaN, 0, 0}));

TEST(Floor, LargestIntegerNotAboveSaturated) {
    EXPECT_EQ(floorToInt32(2.7), 2);
    EXPECT_EQ(floorToInt32(-0.1), -1);
    EXPECT_EQ(floorToInt32(2147483647.9), kI32Max);
    EXPECT_EQ(floorToInt32(2147483648.0), kI32Max);
    EXPECT_EQ(floorToInt32(-2147483648.5), kI32Min);
    EXPECT_EQ(floorToInt32(kInf), kI32Max);
    EXPECT_EQ(floorToInt32(-kInf), kI32Min);
    EXPECT_EQ(floorToInt32(kNaN), 0);
}

struct CurrencyTextCase {
    std::string text;
    std::optional<std::int64_t> tenThousandths;
};

class CurrencyFromText : public ::testing::TestWithParam<CurrencyTextCase> {};

TEST_P(CurrencyFromText, ParsesExactlyOrGivesNoValue) {
    const CurrencyTextCase& c = GetParam();
    const std::optional<Currency> got = currencyFromText(c.text);
    ASSERT_EQ(got.has_value(), c.tenThousandths.has_value()) << '"' << c.text << '"';
    if (got) {
        EXPECT_EQ(got->tenThousandths, *c.tenThousandths) << '"' << c.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrencyFromText,
    ::testing::Values(CurrencyTextCase{"123", 1230000}, CurrencyTextCase{"0123", 1230000},
                      CurrencyTextCase{"0", 0}, CurrencyTextCase{"-0", 0},
                      CurrencyTextCase{"000", 0}, CurrencyTextCase{"  -5 ", -50000},
                      CurrencyTextCase{"+7", 70000}, CurrencyTextCase{"1.5", 15000},
                      CurrencyTextCase{".25", 2500}, CurrencyTextCase{"3.", 30000},
                      CurrencyTextCase{"0.00005", 0}, CurrencyTextCase{"0.00015", 2},
                      CurrencyTextCase{"0.00025", 2}, CurrencyTextCase{"0.000250001", 3},
                      CurrencyTextCase{"0.00026", 3}, CurrencyTextCase{"-0.00015", -2},
                      CurrencyTextCase{"1.99995", 20000},
                      CurrencyTextCase{"922337203685477.5807", 9223372036854775807LL},
                      CurrencyTextCase{"-922337203685477.5808", kI64Min},
                      CurrencyTextCase{"922337203685477.5808", std::nullopt},
                      CurrencyTextCase{"922337203685477.58075", std::nullopt},
                      CurrencyTextCase{"999999999999999", std::nullopt},
                      CurrencyTextCase{"1000000000000000", std::nullopt},
                      CurrencyTextCase{"9999999999999999", std::nullopt},
                      CurrencyTextCase{"-9999999999999999", std::nullopt},
                      CurrencyTextCase{"000000000000000000000123", 1230000},
                      CurrencyTextCase{"", std::nullopt}, CurrencyTextCase{"   ", std::nullopt},
                      CurrencyTextCase{"-", std::nullopt}, CurrencyTextCase{".", std::nullopt},
                      CurrencyTextCase{"12a", std::nullopt}, CurrencyTextCase{"a12", std::nullopt},
                      CurrencyTextCase{"1.2.3", std::nullopt},
                      CurrencyTextCase{"1e3", std::nullopt}, CurrencyTextCase{"&H10", std::nullopt},
                      CurrencyTextCase{"1,000", std::nullopt},
                      CurrencyTextCase{"1 2", std::nullopt}, CurrencyTextCase{"--1", std::nullopt},
                      CurrencyTextCase{std::string("12\0", 3), std::nullopt}));

TEST(CurrencyFromTextHostile, TenThousandDigits) {
    EXPECT_FALSE(currencyFromText(std::string(10000, '1')).has_value());
    const auto longFraction = currencyFromText("1." + std::string(10000, '9'));
    ASSERT_TRUE(longFraction.has_value());
    EXPECT_EQ(longFraction->tenThousandths, 20000);
}

TEST(CurrencyToText, NoPointWithoutAFraction) {
    const struct {
        std::int64_t tenThousandths;
        const char* text;
    } cases[] = {{1230000, "123"},
                 {-50000, "-5"},
                 {15000, "1.5"},
                 {0, "0"},
                 {1, "0.0001"},
                 {-1, "-0.0001"},
                 {10, "0.001"},
                 {12340, "1.234"},
                 {kI64Max, "922337203685477.5807"},
                 {kI64Min, "-922337203685477.5808"}};
    for (const auto& c : cases)
        EXPECT_EQ(currencyToText(Currency{c.tenThousandths}), c.text) << c.tenThousandths;
}

TEST(CurrencyToText, RoundTripsThroughText) {
    for (const std::int64_t v :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{99999},
          std::int64_t{1230000}, std::int64_t{-4567891}, kI64Max, kI64Min}) {
        const auto back = currencyFromText(currencyToText(Currency{v}));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_EQ(back->tenThousandths, v);
    }
}

TEST(CurrencyToInt32, HalfToEvenAndSaturates) {
    const struct {
        std::int64_t tenThousandths;
        std::int32_t expected;
    } cases[] = {{1230000, 123},
                 {15000, 2},
                 {25000, 2},
                 {25001, 3},
                 {-15000, -2},
                 {-25000, -2},
                 {-25001, -3},
                 {4999, 0},
                 {-5000, 0},
                 {5001, 1},
                 {0, 0},
                 {21474836470000LL, kI32Max},
                 {kI64Max, kI32Max},
                 {kI64Min, kI32Min},
                 {-21474836480000LL, kI32Min},
                 {-21474836485000LL, kI32Min}};
    for (const auto& c : cases)
        EXPECT_EQ(currencyToInt32(Currency{c.tenThousandths}), c.expected) << c.tenThousandths;
}

TEST(NumberToText, UpperCaseHex) {
    EXPECT_EQ(hexText(0), "0");
    EXPECT_EQ(hexText(255), "FF");
    EXPECT_EQ(hexText(0x00FF00), "FF00");
    EXPECT_EQ(hexText(0x123456), "123456");
    EXPECT_EQ(hexText(0xABCDEF), "ABCDEF");
    EXPECT_EQ(hexText(0xFFFFFFFFu), "FFFFFFFF");
    EXPECT_EQ(hexText(static_cast<std::uint32_t>(-1)), "FFFFFFFF");
}

} // namespace
