#include "Conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tintaro::conv {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks are spaces, tabs and line breaks: text fields may hold pasted lines.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

// Half to even on a value whose integer neighbours are exact in a double.
double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower; // exact: both lie in the same binade or below
    if (fraction > 0.5)
        return lower + 1.0;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

template <typename Int> Int saturate(double integral) {
    if (std::isnan(integral))
        return 0;
    // The type's minimum is a power of two and exact; its maximum is one below the next power.
    constexpr double kMin = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double kEnd = -kMin;
    if (integral >= kEnd)
        return std::numeric_limits<Int>::max();
    if (integral <= kMin)
        return std::numeric_limits<Int>::min();
    return static_cast<Int>(integral);
}

template <typename Int> Int roundTo(double value) {
    if (std::isnan(value))
        return 0;
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<Int>::max() : std::numeric_limits<Int>::min();
    return saturate<Int>(roundHalfEven(value));
}

} // namespace

double textToNumber(std::string_view text) {
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t mantissaStart = pos;

    // Decimal magnitude of the mantissa (the power of ten of its first significant digit),
    // kept to tell an overflow from an underflow when the value is out of range.
    long long leadingIntDigits = 0;
    long long zerosAfterPoint = 0;
    bool seenSignificant = false;
    bool anyDigit = false;
    while (pos < text.size() && isDigit(text[pos])) {
        anyDigit = true;
        if (text[pos] != '0' || seenSignificant) {
            seenSignificant = true;
            ++leadingIntDigits;
        }
        ++pos;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            anyDigit = true;
            if (!seenSignificant) {
                if (text[pos] == '0')
                    ++zerosAfterPoint;
                else
                    seenSignificant = true;
            }
            ++pos;
        }
    }
    if (!anyDigit || !seenSignificant)
        return 0.0; // no number, or a zero: the sign of zero is of no use to any field

    std::size_t end = pos;
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t epos = pos + 1;
        bool expNegative = false;
        if (epos < text.size() && (text[epos] == '+' || text[epos] == '-')) {
            expNegative = text[epos] == '-';
            ++epos;
        }
        if (epos < text.size() && isDigit(text[epos])) {
            while (epos < text.size() && isDigit(text[epos])) {
                // Saturate far beyond any double's range; only the sign of the magnitude matters.
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text[epos] - '0');
                ++epos;
            }
            if (expNegative)
                exponent = -exponent;
            end = epos;
        }
        // "1e" or "1e+" stops before the 'e'.
    }

    double value = 0.0;
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + end;
    // The scan above fixed the extent, so the parse consumes all of [first, last).
    const std::errc ec = std::from_chars(first, last, value, std::chars_format::general).ec;
    if (ec == std::errc::result_out_of_range) {
        const long long magnitude =
            (leadingIntDigits > 0 ? leadingIntDigits - 1 : -zerosAfterPoint - 1) + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc()) {
        value = 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

std::int16_t roundToInt16(double value) {
    return roundTo<std::int16_t>(value);
}
std::int32_t roundToInt32(double value) {
    return roundTo<std::int32_t>(value);
}

double floorOf(double value) {
    return std::floor(value);
}

std::int32_t floorToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<std::int32_t>::max()
                         : std::numeric_limits<std::int32_t>::min();
    return saturate<std::int32_t>(std::floor(value));
}

std::optional<Currency> currencyFromText(std::string_view text) {
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Leading zeros do not count towards the fifteen integer digits: "0123" is 123.
    std::uint64_t whole = 0;
    int wholeDigits = 0;
    bool anyDigit = false;
    while (pos < text.size() && isDigit(text[pos])) {
        anyDigit = true;
        if (whole != 0 || text[pos] != '0')
            ++wholeDigits;
        if (wholeDigits > 15)
            return std::nullopt; // beyond the currency range whatever follows
        whole = whole * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        ++pos;
    }
    std::uint64_t fraction = 0; // in ten-thousandths
    int fractionDigits = 0;
    bool roundUp = false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        // Digits past the fourth decide the rounding: above half, below half or exactly half.
        int firstDropped = -1;
        bool nonZeroAfter = false;
        while (pos < text.size() && isDigit(text[pos])) {
            anyDigit = true;
            const int digit = text[pos] - '0';
            if (fractionDigits < 4) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(digit);
                ++fractionDigits;
            } else if (firstDropped < 0) {
                firstDropped = digit;
            } else if (digit != 0) {
                nonZeroAfter = true;
            }
            ++pos;
        }
        for (int i = fractionDigits; i < 4; ++i)
            fraction *= 10;
        if (firstDropped > 5 || (firstDropped == 5 && nonZeroAfter))
            roundUp = true;
        else if (firstDropped == 5)
            roundUp = (fraction % 2) != 0;
    }
    if (!anyDigit)
        return std::nullopt;
    pos = skipBlanks(text, pos);
    if (pos != text.size())
        return std::nullopt;

    std::uint64_t magnitude = whole * 10000 + fraction + (roundUp ? 1 : 0);
    constexpr std::uint64_t kMaxPositive =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > kMaxPositive + (negative ? 1 : 0))
        return std::nullopt;
    if (negative)
        return Currency{static_cast<std::int64_t>(0 - magnitude)};
    return Currency{static_cast<std::int64_t>(magnitude)};
}

std::string currencyToText(Currency value) {
    const bool negative = value.tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                             : static_cast<std::uint64_t>(value.tenThousandths);
    std::string text = negative ? "-" : "";
    text += std::to_string(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += '.';
        text += digits;
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
    if (quotient > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (quotient < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(quotient);
}

std::string decimalText(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string hexText(std::uint32_t value) {
    std::array<char, 12> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, 16);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace tintaro::conv
