// SPDX-License-Identifier: MIT
#include "Module2.h"

#include <array>

namespace tintaro::Module2 {

long WriteRegDword(Registry& registry, RegKey root, std::string_view keyPath,
                   std::string_view valueName, std::int32_t value) {
    // The handle starts as 0, so a failed create makes the two later calls fail too.
    RegKey key = 0;
    const long created = registry.createKey(root, keyPath, key);
    const auto bits = static_cast<std::uint32_t>(value);
    const std::array<std::uint8_t, 4> data{
        static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
    const long set = registry.setValue(key, valueName, kRegDword, data);
    const long closed = registry.closeKey(key);
    return created != kErrorSuccess ? created : set != kErrorSuccess ? set : closed;
}

} // namespace tintaro::Module2
