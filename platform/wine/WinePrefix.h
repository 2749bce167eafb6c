// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tintaro {

// The Wine prefix Tintaro works on: $WINEPREFIX when set and not empty (a relative one taken
// from the current folder), else ~/.wine.
std::filesystem::path currentWinePrefix();

// The Application Data folder of the prefix's user as a Windows path (UTF-8) without a trailing
// backslash, e.g. "C:\users\ana\AppData\Roaming". Taken from the prefix's user.reg: the "AppData"
// value of User Shell Folders (environment variables expanded), else of Shell Folders; when
// neither is usable, "C:\users\<user>\AppData\Roaming". Never fails: a missing, unreadable or
// damaged user.reg gives the usual folder.
std::string appDataFolder(const std::filesystem::path& prefix);

// The largest user.reg read or edited, far beyond any real one: the folders are looked up in as
// much of it as the registry writer accepts, so a file Tintaro would edit is one it reads too.
inline constexpr std::uint64_t kUserRegMaxSize = std::uint64_t{512} << 20;

} // namespace tintaro
