// SPDX-License-Identifier: MIT
// Feeds arbitrary map.dat contents through the decoder: it never reads outside its input and
// gives the length it promises.

#include "passport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto output = tintaro::passport::Base64Decode({data, size});
    if (output.empty() != (size == 0) || output.size() > size * 3 / 4 + 1)
        std::abort();
    return 0;
}
