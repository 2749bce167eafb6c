// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tintaro {

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
