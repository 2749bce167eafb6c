// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tintaro::passport {

// Decodes the Base64 text in `input` (standard alphabet, no line breaks expected).
// - At most two trailing "=" are dropped; any other byte outside the alphabet counts as 0.
// - Non-empty input gives ((unpadded length - 1) * 3) / 4 + 1 bytes; empty input gives none.
// - Malformed input (a last group of one character, a lone "=") never reads outside `input`:
//   a missing byte counts as 0.
std::vector<std::uint8_t> Base64Decode(std::span<const std::uint8_t> input);

} // namespace tintaro::passport
