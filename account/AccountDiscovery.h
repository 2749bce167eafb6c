// SPDX-License-Identifier: MIT
#pragma once

#include "Conversions.h"
#include "FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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
// A map.dat larger than this is not read and counts as absent.
inline constexpr std::int64_t kMapDatReadCap = 16 * 1024 * 1024;

// The e-mail address in a map.dat's content: Base64 decoded, taken as UTF-16 little-endian
// text (an odd last byte is dropped), the characters between the first two double quotes.
// No value when the text holds fewer than two double quotes.
std::optional<std::u16string> emailFromMapData(std::vector<std::uint8_t> mapData);

// The entry's file name as the enumeration reports it: cut at its first NUL, at most 255
// characters.
std::string accountFolderName(std::string_view entryName);

// Finds the accounts under `appDataFolder` (a Windows path without a trailing backslash), in
// enumeration order. For each entry other than "." and "..": Backgrounds\map.dat when it is
// 1 byte or longer (read without its last byte), else UserTile\map.dat when it is 1 byte or
// longer (read whole), else no account. A Backgrounds file with nothing to read (1 byte, or
// over kMapDatReadCap, or gone when opened) counts as absent, so UserTile is tried; a UserTile
// file like that gives no account. Entries whose map.dat holds no e-mail or whose name is no
// account number are left out. Never throws, never shows anything.
std::vector<AccountEntry> discoverAccounts(const FileSystem& fs, std::string_view appDataFolder);

} // namespace tintaro::account
