// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The number and text conversions every field of the program relies on, with their exact
// rounding. None of them raises an error or has undefined behaviour for any input.
namespace tintaro::conv {

// The number at the start of `text`: blanks skipped, an optional sign, digits with at most one
// decimal point, an optional exponent; reading stops at the first character that cannot continue
// the number. No number at the start (the empty text included) gives 0, and so does a number
// beyond a double's range.
double textToNumber(std::string_view text);

// Round to the nearest integer, halves to the even neighbour. NaN gives 0; values beyond the
// type's range saturate at its ends.
std::int16_t roundToInt16(double value);
std::int32_t roundToInt32(double value);

// floor, then saturated into 32 bits (NaN gives 0).
std::int32_t floorToInt32(double value);

// The currency type: a signed 64-bit count of ten-thousandths.
struct Currency {
    std::int64_t tenThousandths = 0;
    bool operator==(const Currency&) const = default;
};

// Decimal text (optional blanks, sign, digits, at most four decimals kept by rounding half to
// even) to currency. Nothing numeric, trailing junk, or a value beyond the currency range gives
// no value.
std::optional<Currency> currencyFromText(std::string_view text);
// Currency to decimal text: a minus sign when negative, no leading zeros, a decimal point and
// fraction only when there is a fraction (trailing zeros dropped).
std::string currencyToText(Currency value);
// Currency to a 32-bit integer, half to even; saturates outside the range.
std::int32_t currencyToInt32(Currency value);

// Upper-case hexadecimal without leading zeros ("0" for zero) of the 32-bit pattern of `value`.
std::string hexText(std::uint32_t value);

} // namespace tintaro::conv
