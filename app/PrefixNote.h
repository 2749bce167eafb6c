// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tintaro {

// Where the accounts are looked for, and what is stored there, as the account list and the
// command line tell the user: WinePlace.cpp on Linux, Win32Place.cpp on Windows.

// Why the list is empty and, on Linux, how to choose another Wine prefix and which other
// prefixes hold accounts. The account list shows it and --list prints it.
QString emptyListNote();

// The place the accounts are looked for, in an English sentence: "the Wine prefix /home/ana/.wine",
// "the folder C:\Users\ana\AppData\Roaming".
QString placeShown();

// The stored "IM Color" of HKEY_CURRENT_USER\<keyPath>: `value` empty when it is not set,
// `error` set when it could not be read.
struct StoredColour {
    std::optional<std::uint32_t> value;
    QString error;
};
StoredColour readStoredColour(const std::string& keyPath);

} // namespace tintaro
