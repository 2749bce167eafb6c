// SPDX-License-Identifier: MIT
// Every field's text goes through these conversions: whatever is typed, reading never fails,
// rounding stays in range, and a currency read back from its own text is the same number.
#include "Conversions.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace tintaro::conv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double number = textToNumber(text);
    if (std::isnan(number))
        __builtin_trap(); // no text reads as NaN
    const std::int16_t small = roundToInt16(number);
    const std::int32_t wide = roundToInt32(number);
    if ((number >= 0) != (wide >= 0) && wide != 0)
        __builtin_trap(); // rounding keeps the sign
    if (small != roundToInt16(static_cast<double>(wide)) && std::abs(number) < 2147483647.0)
        __builtin_trap(); // both roundings agree where the wide one is exact
    (void)floorToInt32(number);

    if (const auto money = currencyFromText(text)) {
        const auto again = currencyFromText(currencyToText(*money));
        if (!again || !(*again == *money))
            __builtin_trap(); // the text of a currency reads back as itself
        (void)currencyToInt32(*money);
    }
    (void)hexText(static_cast<std::uint32_t>(wide));
    return 0;
}
