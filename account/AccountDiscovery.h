// SPDX-License-Identifier: MIT
#pragma once

#include "Conversions.h"
#include "FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace tintaro::account {

// One account found in the Messenger data folder.
struct AccountEntry {
    std::string folderName; // the folder's name as the enumeration gave it (decimal digits)
    std::u16string email;   // unchanged: no trimming, no checking
    conv::Currency number;  // the folder name as a currency number

    bool operator==(const AccountEntry&) const = default;
};

// The list line: folder name + ": " + e-mail, in UTF-16.
std::u16string accountLine(const AccountEntry& entry);

// The folder below the Application Data folder where Messenger keeps one folder per account.
inline constexpr std::string_view kMessengerSubfolder = "\\Microsoft\\MSN Messenger\\";

// Finds the accounts under `appDataFolder` (a Windows path without a trailing backslash), in
// enumeration order. For each entry other than "." and "..": Backgrounds\map.dat when it is
// 1 byte or longer (read without its last byte), else UserTile\map.dat when it is 1 byte or
// longer (read whole), else no account. A Backgrounds file with nothing to read (1 byte, over
// 16 MiB, or gone when opened) counts as absent, so UserTile is tried; a UserTile file like that
// gives no account. The e-mail is the map.dat Base64-decoded, taken as UTF-16 little-endian text
// (an odd last byte dropped), between its first two double quotes. Entries without one, or
// whose name is no account number, are left out.
std::vector<AccountEntry> discoverAccounts(const FileSystem& fs, std::string_view appDataFolder);

} // namespace tintaro::account
