// SPDX-License-Identifier: MIT
#pragma once

#include "Registry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tintaro::Module2 {

// Where Messenger reads an account's message colour: the REG_DWORD kImColor under
// HKEY_CURRENT_USER\<imColorKey(account)>.
inline constexpr std::string_view kImColor = "IM Color";
// The account's settings key; `accountName` is the decimal text of its number.
inline std::string imColorKey(std::string_view accountName) {
    return "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\" + std::string(accountName);
}

// Creates or opens `keyPath` under `root`, stores `value` there as the REG_DWORD `valueName`
// (4 bytes, least significant first) and closes the key. All three calls are made whatever
// the earlier ones gave; the result is the first failure's code, or kErrorSuccess.
long WriteRegDword(Registry& registry, RegKey root, std::string_view keyPath,
                   std::string_view valueName, std::int32_t value);

} // namespace tintaro::Module2
