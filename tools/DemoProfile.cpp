// Writes a Wine-prefix-shaped demo profile for trying Tintaro without Messenger: a user.reg
// that names the AppData folder, the C: drive link, and a few account folders holding map.dat
// files the way the program reads them.
//
// Usage: tintaro-demo-profile <output folder>

#include <QByteArray>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The map.dat text: Base64 of UTF-16 little-endian text whose first quoted run is the e-mail.
std::string mapDat(std::string_view email, std::string_view picture) {
    const std::string text =
        "<map account=\"" + std::string(email) + "\" picture=\"" + std::string(picture) + "\"/>";
    QByteArray utf16;
    for (const char c : text)
        utf16.append(c).append('\0');
    return utf16.toBase64().toStdString();
}

bool writeFile(const fs::path& path, std::string_view content) {
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "tintaro-demo-profile: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

constexpr std::string_view kUserReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] "
    "1700000000\n"
    "#time=1da0000000000000\n"
    "\"AppData\"=\"C:\\\\users\\\\demo\\\\AppData\\\\Roaming\"\n"
    "\"Personal\"=\"C:\\\\users\\\\demo\\\\Documents\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] "
    "1700000000\n"
    "#time=1da0000000000000\n"
    "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n"
    "\"Personal\"=str(2):\"%USERPROFILE%\\\\Documents\"\n";

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 || !*argv[1]) {
        std::fprintf(stderr, "usage: tintaro-demo-profile <output folder>\n");
        return 2;
    }
    const fs::path prefix = argv[1];
    const fs::path messenger =
        prefix / "drive_c/users/demo/AppData/Roaming/Microsoft/MSN Messenger";

    std::error_code error;
    fs::remove_all(messenger, error); // a rerun starts from the same accounts
    fs::create_directories(prefix / "dosdevices", error);
    fs::create_directories(messenger, error);
    const fs::path driveLink = prefix / "dosdevices" / "c:";
    if (!fs::is_symlink(fs::symlink_status(driveLink, error))) {
        fs::create_directory_symlink("../drive_c", driveLink, error);
        if (error) {
            std::fprintf(stderr, "tintaro-demo-profile: cannot link %s: %s\n", driveLink.c_str(),
                         error.message().c_str());
            return 1;
        }
    }

    bool ok = writeFile(prefix / "user.reg", kUserReg);
    // Backgrounds file: the program leaves its last byte out, so it ends with a line break.
    ok = ok && writeFile(messenger / "1842307651/Backgrounds/map.dat",
                         mapDat("ana.garcia@example.com", "playa.jpg") + "\n");
    ok = ok && writeFile(messenger / "1842307651/UserTile/map.dat",
                         mapDat("ignored@example.com", "ana.png"));
    // Only a UserTile file, read whole.
    ok = ok && writeFile(messenger / "2093348112/UserTile/map.dat",
                         mapDat("luis.m@example.org", "luis.png"));
    // An empty Backgrounds file: the UserTile file is used.
    ok = ok && writeFile(messenger / "0377120045/Backgrounds/map.dat", "");
    ok = ok && writeFile(messenger / "0377120045/UserTile/map.dat",
                         mapDat("carmen@example.com", "gato.png"));
    // A folder without any map.dat: not listed.
    ok = ok && writeFile(messenger / "3310987654/Settings/notes.txt", "nothing to list\n");
    // One more ordinary account.
    ok = ok && writeFile(messenger / "1357924680/UserTile/map.dat",
                         mapDat("pablo.ruiz@example.org", "pablo.png"));
    if (!ok)
        return 1;
    std::printf("%s\n", prefix.c_str());
    return 0;
}
