// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintaro {

// Whether `path` is a folder (or a link to one); false when it cannot be told.
bool isFolder(const std::filesystem::path& path);

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

// How far a prefix goes towards holding Messenger data, checked in this order.
enum class PrefixState {
    Missing,           // the prefix folder does not exist
    NoUserReg,         // no user.reg: not a prefix Wine has set up
    NoAppData,         // the Application Data folder its user.reg names is missing
    NoMessengerFolder, // no Messenger data folder below Application Data
    HasMessengerFolder,
};

struct PrefixCheck {
    PrefixState state = PrefixState::Missing;
    // The Unix path of the folder found missing (NoAppData, NoMessengerFolder), else empty.
    std::filesystem::path missingFolder;
};

// Checks `prefix`; `messengerSubfolder` is the Windows path below Application Data
// ("\Microsoft\...\") where the account folders live. Only reads.
PrefixCheck checkPrefix(const std::filesystem::path& prefix, std::string_view messengerSubfolder);

// The Wine prefixes other front-ends keep under `home`: Bottles' bottles (native and Flatpak),
// Lutris' (~/Games/* and the prefix: lines of its game files), PlayOnLinux's and Steam's Proton
// prefixes. Existing folders only, each once, sorted within each front-end.
std::vector<std::filesystem::path> frontEndPrefixes(const std::filesystem::path& home);

} // namespace tintaro
