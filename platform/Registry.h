// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tintaro {

// Registry handles and codes in their Windows values.
using RegKey = std::uint32_t;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr long kErrorSuccess = 0;

// The three registry calls the program makes (RegCreateKeyA, RegSetValueExA, RegCloseKey).
// Paths and names are UTF-8. Failures are returned as nonzero codes, never thrown.
class Registry {
public:
    virtual ~Registry() = default;
    // Opens `path` under `root`, creating it and any missing parents; sets `key` (0 on failure).
    virtual long createKey(RegKey root, std::string_view path, RegKey& key) = 0;
    virtual long setValue(RegKey key, std::string_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
    virtual long closeKey(RegKey key) = 0;
    // One English sentence for the user: what the failure `code` of the last call means and
    // where it happened. This one names no place; a registry that has one overrides it.
    virtual std::string describeFailure(long code) const;
};

// What a registry error code means, as a short English phrase ("permission denied").
std::string failureReason(long code);

// The system's registry: the current Wine prefix's on Linux, the user's own on Windows.
Registry& systemRegistry();

// The system's registry unless replaced.
Registry& currentRegistry();
// Replaces it; nullptr restores the prefix's registry. The caller keeps ownership.
void setCurrentRegistry(Registry* registry);

} // namespace tintaro
