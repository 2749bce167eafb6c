// SPDX-License-Identifier: MIT
#pragma once

#include "Registry.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string_view>

namespace tintaro {

// The user's own registry through the system calls (RegCreateKeyExW, RegSetValueExW,
// RegCloseKey). Open keys are handed out as small numbers, since a system key handle does not
// fit the 32-bit RegKey.
class Win32Registry final : public Registry {
public:
    ~Win32Registry() override;
    long createKey(RegKey root, std::string_view path, RegKey& key) override;
    long setValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long closeKey(RegKey key) override;

    // RegGetValueW: the REG_DWORD `name` of `path` under `root`; the error code when it is
    // missing or of another type.
    static long getDword(RegKey root, std::string_view path, std::string_view name,
                         std::uint32_t& value);

private:
    std::mutex m_mutex;
    std::map<RegKey, void*> m_open;
    RegKey m_next = 1;
};

} // namespace tintaro
