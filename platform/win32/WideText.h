// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tintaro {

// UTF-8 <-> UTF-16 at the boundary with the Windows "W" calls. Invalid input becomes U+FFFD
// marks rather than failing, so a damaged name still reaches the call and fails there.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

} // namespace tintaro
