#pragma once

#include <QString>
#include <filesystem>

namespace tintaro {

// Why `prefix` lists no account (the prefix is missing, has no user.reg, no AppData folder, no
// Messenger data folder, or no account in it), how to choose another prefix, and the commands
// that open the prefixes of other Wine front-ends under `home` that do hold accounts. The
// account list shows it and --list prints it.
QString noAccountsNote(const std::filesystem::path& prefix, const std::filesystem::path& home);

// Same, with the home folder taken from $HOME.
QString noAccountsNote(const std::filesystem::path& prefix);

// `path` quoted for a POSIX shell.
QString shellQuoted(const std::filesystem::path& path);

} // namespace tintaro
