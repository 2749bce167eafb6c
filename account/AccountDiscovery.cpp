// SPDX-License-Identifier: MIT
#include "AccountDiscovery.h"

#include "passport.h"

#include <cstdint>
#include <optional>

namespace tintaro::account {

namespace {

// A map.dat larger than this is not read and counts as absent.
constexpr std::int64_t kMapDatReadCap = 16 * 1024 * 1024;

// The bytes a map.dat gives for decoding: its first length - `dropLast` bytes. No value when the
// file cannot be opened, is over the cap, or leaves nothing to read.
std::optional<std::vector<std::uint8_t>> readMapDat(const OpenFolder& account,
                                                    std::string_view path, std::int64_t dropLast) {
    const auto file = account.openBinary(path);
    if (!file)
        return std::nullopt;
    // The length is taken again on the opened file: it may have changed since it was measured.
    const std::int64_t length = file->length();
    if (length > kMapDatReadCap || length - dropLast < 1)
        return std::nullopt;
    return file->readAt(0, static_cast<std::size_t>(length - dropLast));
}

std::optional<std::u16string> emailFromMapData(const std::vector<std::uint8_t>& mapData) {
    const std::vector<std::uint8_t> decoded = passport::Base64Decode(mapData);
    std::u16string text(decoded.size() / 2, u'\0');
    for (std::size_t k = 0; k < text.size(); ++k)
        text[k] = static_cast<char16_t>(decoded[2 * k] | (decoded[2 * k + 1] << 8));
    const std::size_t open = text.find(u'"');
    const std::size_t close = open == std::u16string::npos ? open : text.find(u'"', open + 1);
    if (close == std::u16string::npos)
        return std::nullopt;
    return text.substr(open + 1, close - open - 1);
}

} // namespace

std::u16string accountLine(const AccountEntry& entry) {
    // Only names of decimal digits become entries, so widening each char is exact.
    return std::u16string(entry.folderName.begin(), entry.folderName.end()) + u": " + entry.email;
}

std::vector<AccountEntry> discoverAccounts(const FileSystem& fs, std::string_view appDataFolder) {
    std::vector<AccountEntry> accounts;
    const std::string base = std::string(appDataFolder) + std::string(kMessengerSubfolder);
    const std::vector<std::string> entries = fs.findFiles(base + "*");
    // The files are looked up from the Messenger folder and each account folder, held open,
    // instead of walking down the whole prefix for each of them.
    const auto messenger = fs.openFolder(base);
    if (!messenger)
        return accounts;
    constexpr std::string_view backgrounds = "Backgrounds\\map.dat";
    constexpr std::string_view userTile = "UserTile\\map.dat";
    for (const std::string& name : entries) {
        // The colour is stored under the folder name as a number: a name that is not decimal
        // digits within the currency range ("." and ".." included) is no account.
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const auto number = conv::currencyFromText(name);
        if (!number)
            continue;
        // A name of digits names no other folder, whatever the case; one that is not a folder
        // (a plain file, a dangling link) has no map.dat below it.
        const auto account = messenger->folder(name);
        if (!account)
            continue;
        // Both lengths first, as the files may change while they are read.
        const std::int32_t len1 = account->fileLength(backgrounds);
        const std::int32_t len2 = account->fileLength(userTile);

        std::optional<std::vector<std::uint8_t>> data;
        if (len1 >= 1)
            data = readMapDat(*account, backgrounds, 1); // its last byte is not part of the text
        if (!data && len2 >= 1)
            data = readMapDat(*account, userTile, 0);
        if (!data)
            continue;

        if (auto email = emailFromMapData(*data))
            accounts.push_back({name, std::move(*email), *number});
    }
    return accounts;
}

} // namespace tintaro::account
