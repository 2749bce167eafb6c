// SPDX-License-Identifier: MIT
// Feeds arbitrary map.dat contents through the decoder and the e-mail extraction, at lower
// bounds that make index arithmetic overflow-prone.

#include "AccountDiscovery.h"
#include "passport.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tintaro;
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (const std::int32_t lowerBound : {0, 1, INT32_MAX, INT32_MIN}) {
        passport::ByteArray output{-5, {42}};
        passport::Base64Decode(passport::ByteArray{lowerBound, bytes}, output);
        if (size == 0) {
            if (!(output == passport::ByteArray{-5, {42}}))
                std::abort();
            continue;
        }
        if (output.lowerBound != lowerBound || output.bytes.empty() ||
            output.bytes.size() > size * 3 / 4 + 1)
            std::abort();
    }
    const auto email = account::emailFromMapData(bytes);
    if (email && email->size() > size)
        std::abort();
    return 0;
}
