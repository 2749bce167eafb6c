// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace tintaro::passport {

// A byte array with a lower bound of its own: element k of the array is bytes[k - lowerBound].
struct ByteArray {
    std::int32_t lowerBound = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const ByteArray&) const = default;
};

// Decodes the Base64 text in `input` (standard alphabet, no line breaks expected) into `output`.
// - Empty input returns at once and leaves `output` untouched.
// - At most two trailing "=" are dropped; any other byte outside the alphabet counts as 0.
// - `output` gets the input's lower bound and ((unpadded length - 1) * 3) / 4 + 1 bytes.
// - Malformed input (a last group of one character, a lone "=") never reads outside `input`:
//   a missing byte counts as 0.
void Base64Decode(const ByteArray& input, ByteArray& output);

} // namespace tintaro::passport
