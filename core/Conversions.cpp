// SPDX-License-Identifier: MIT
#include "Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tintaro::conv {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks are spaces, tabs and line breaks: text fields may hold pasted lines.
std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    return std::min(text.find_first_not_of(" \t\n\r", pos), text.size());
}

// NaN gives 0, values beyond the type's range (infinities included) its ends.
template <typename Int> Int saturate(double integral) {
    if (std::isnan(integral))
        return 0;
    // The type's minimum is a power of two and exact; its maximum is one below the next power.
    constexpr double kMin = static_cast<double>(std::numeric_limits<Int>::min());
    if (integral >= -kMin)
        return std::numeric_limits<Int>::max();
    if (integral <= kMin)
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(integral);
}

} // namespace

double textToNumber(std::string_view text) {
    std::size_t pos = skipBlanks(text, 0);
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (negative || text[pos] == '+'))
        ++pos;
    // from_chars also reads "inf" and "nan", which are no numbers here.
    if (pos == text.size() || !(isDigit(text[pos]) || text[pos] == '.'))
        return 0.0;
    // A number beyond a double's range gives 0: a four-character field cannot hold one. The sign
    // of zero is of no use to any field.
    double value = 0.0;
    if (std::from_chars(text.data() + pos, text.data() + text.size(), value).ec != std::errc() ||
        value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

// nearbyint rounds halves to even in the default rounding mode, which the program never changes.
std::int16_t roundToInt16(double value) {
    return saturate<std::int16_t>(std::nearbyint(value));
}
std::int32_t roundToInt32(double value) {
    return saturate<std::int32_t>(std::nearbyint(value));
}

std::int32_t floorToInt32(double value) {
    return saturate<std::int32_t>(std::floor(value));
}

std::optional<Currency> currencyFromText(std::string_view text) {
    std::size_t pos = skipBlanks(text, 0);
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (negative || text[pos] == '+'))
        ++pos;
    const auto digits = [&] {
        const std::size_t from = pos;
        while (pos < text.size() && isDigit(text[pos]))
            ++pos;
        return text.substr(from, pos - from);
    };
    std::string_view whole = digits();
    std::string_view fraction;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        fraction = digits();
    }
    if ((whole.empty() && fraction.empty()) || skipBlanks(text, pos) != text.size())
        return std::nullopt;
    // Leading zeros do not count towards the fifteen integer digits: "0123" is 123.
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 15)
        return std::nullopt;
    // Four decimals are kept; the digits after them round half to even.
    std::string kept(fraction.substr(0, 4));
    kept.resize(4, '0');
    std::uint64_t magnitude = 0;
    for (const char c : std::string(whole) + kept)
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    const std::string_view dropped = fraction.substr(std::min<std::size_t>(fraction.size(), 4));
    if (!dropped.empty() && dropped[0] >= '5' &&
        (dropped[0] > '5' || dropped.find_first_not_of('0', 1) != std::string_view::npos ||
         magnitude % 2 != 0))
        ++magnitude;
    constexpr std::uint64_t kMaxPositive =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > kMaxPositive + (negative ? 1 : 0))
        return std::nullopt;
    return Currency{static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude)};
}

std::string currencyToText(Currency value) {
    const bool negative = value.tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                             : static_cast<std::uint64_t>(value.tenThousandths);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10000);
    if (const std::uint64_t fraction = magnitude % 10000; fraction != 0) {
        std::string digits = std::to_string(10000 + fraction); // the leading 1 keeps the zeros
        digits[0] = '.';
        text += digits.substr(0, digits.find_last_not_of('0') + 1);
    }
    return text;
}

std::int32_t currencyToInt32(Currency value) {
    std::int64_t quotient = value.tenThousandths / 10000;
    const std::int64_t remainder = value.tenThousandths % 10000; // takes the dividend's sign
    const bool odd = (quotient % 2) != 0;
    if (remainder > 5000 || (remainder == 5000 && odd))
        ++quotient;
    else if (remainder < -5000 || (remainder == -5000 && odd))
        --quotient;
    return saturate<std::int32_t>(static_cast<double>(quotient)); // exact: below 2^50
}

std::string hexText(std::uint32_t value) {
    char buffer[8];
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
    return text;
}

} // namespace tintaro::conv
