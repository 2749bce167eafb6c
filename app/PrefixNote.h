#pragma once

#include <QString>
#include <filesystem>

namespace tintaro {

namespace account {
struct AccountEntry;
}

// Why `prefix` lists no account (the prefix is missing, has no user.reg, no AppData folder, no
// Messenger data folder, or no account in it), how to choose another prefix, and the commands
// that open the prefixes of other Wine front-ends under `home` that do hold accounts. The
// account list shows it and --list prints it.
QString noAccountsNote(const std::filesystem::path& prefix, const std::filesystem::path& home);

// Same, with the home folder taken from $HOME.
QString noAccountsNote(const std::filesystem::path& prefix);

// An account as the list shows it, on one line: control characters decoded from a damaged
// map.dat (a line feed would split the line in two) show as replacement marks.
QString accountListLine(const account::AccountEntry& entry);

// A file path as the user reads it.
QString shownPath(const std::filesystem::path& path);

} // namespace tintaro
