// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "TempDir.h"
#include "WinePrefix.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tintaro {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2\n"
                                     ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
                                     "#arch=win64\n\n";

struct UserRegCase {
    const char* name;
    std::string body;
    std::string expected;
};

class AppDataFromUserReg : public testing::TestWithParam<UserRegCase> {};

// The Unix user is "unixname", for the folders that fall back on it.
TEST_P(AppDataFromUserReg, GivesTheFolder) {
    const auto& c = GetParam();
    test::TempDir dir;
    test::writeFile(dir.path() / "user.reg", std::string(kHeader) + c.body);
    const char* saved = std::getenv("USER");
    const std::string savedValue = saved ? saved : "";
    ::setenv("USER", "unixname", 1);
    EXPECT_EQ(appDataFolder(dir.path()), c.expected);
    if (saved)
        ::setenv("USER", savedValue.c_str(), 1);
    else
        ::unsetenv("USER");
}

const std::string kShell =
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell "
    "Folders] 1700000000\n#time=1d9\n";
const std::string kUserShell =
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User "
    "Shell Folders] 1700000000\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, AppDataFromUserReg,
    testing::Values(
        UserRegCase{"ShellFoldersOnly",
                    kShell + "\"AppData\"=\"C:\\\\users\\\\demo\\\\AppData\\\\Roaming\"\n",
                    "C:\\users\\demo\\AppData\\Roaming"},
        UserRegCase{"UserShellFoldersWinsAndExpandsProfileFromShellFolders",
                    kShell + "\"AppData\"=\"C:\\\\users\\\\ana\\\\AppData\\\\Roaming\"\n\n" +
                        kUserShell + "\"AppData\"=str(2):\"%USERPROFILE%\\\\Datos de programa\"\n",
                    "C:\\users\\ana\\Datos de programa"},
        UserRegCase{"ProfileFromVolatileEnvironment",
                    kUserShell + "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n" +
                        "[Volatile Environment] 1\n\"USERPROFILE\"=\"D:\\\\perfiles\\\\luis\"\n",
                    "D:\\perfiles\\luis\\AppData\\Roaming"},
        UserRegCase{"ProfileFromUnixNameWhenNothingNamesIt",
                    kUserShell + "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n",
                    "C:\\users\\unixname\\AppData\\Roaming"},
        // %USERNAME% is the registry's when it names one, else the Unix user's.
        UserRegCase{"UserNameFromTheUnixUser",
                    kUserShell + "\"AppData\"=str(2):\"C:\\\\users\\\\%UserName%\\\\Datos\"\n",
                    "C:\\users\\unixname\\Datos"},
        UserRegCase{"UserNameFromTheRegistry",
                    "[Environment] 1\n\"USERNAME\"=\"eva\"\n" + kUserShell +
                        "\"AppData\"=str(2):\"C:\\\\users\\\\%USERNAME%\\\\Datos\"\n",
                    "C:\\users\\eva\\Datos"},
        UserRegCase{"UnknownVariableFallsBackToShellFolders",
                    kUserShell + "\"AppData\"=str(2):\"%NOPE%\\\\x\"\n" + kShell +
                        "\"AppData\"=\"C:\\\\users\\\\b\\\\AppData\\\\Roaming\\\\\"\n",
                    "C:\\users\\b\\AppData\\Roaming"},
        // Only a whole name ends in %: one left unknown anywhere leaves no usable path.
        UserRegCase{"UnknownVariableInsideFallsBackToShellFolders",
                    kUserShell + "\"AppData\"=str(2):\"C:\\\\%NOPE%\\\\x\"\n" + kShell +
                        "\"AppData\"=\"C:\\\\users\\\\b\\\\AppData\\\\Roaming\"\n",
                    "C:\\users\\b\\AppData\\Roaming"},
        // Wine rewrites the volatile variables at every start; the stored ones may be stale.
        UserRegCase{"VolatileProfileWinsOverStoredOne",
                    "[Volatile Environment] 1\n\"USERPROFILE\"=\"D:\\\\perfiles\\\\luis\"\n"
                    "[Environment] 1\n\"USERPROFILE\"=\"C:\\\\users\\\\viejo\"\n" +
                        kUserShell + "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n",
                    "D:\\perfiles\\luis\\AppData\\Roaming"},
        UserRegCase{"StoredProfileWhenNoVolatileOne",
                    "[Environment] 1\n\"USERPROFILE\"=\"E:\\\\home\\\\eva\"\n" + kUserShell +
                        "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n",
                    "E:\\home\\eva\\AppData\\Roaming"},
        // A profile without a drive letter would give a relative AppData folder, where no
        // account is ever found: the profile is taken from Shell Folders or the Unix name.
        UserRegCase{"ProfileWithoutDriveFromShellFolders",
                    "[Volatile Environment] 1\n\"USERPROFILE\"=\"\\\\\\\\srv\\\\p\"\n" +
                        kUserShell +
                        "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n" + kShell +
                        "\"Personal\"=\"C:\\\\users\\\\ana\\\\Documents\"\n",
                    "C:\\users\\ana\\AppData\\Roaming"},
        UserRegCase{"ProfileWithoutDriveFromUnixName",
                    "[Volatile Environment] 1\n\"USERPROFILE\"=\"\\\\\\\\srv\\\\p\"\n" +
                        kUserShell + "\"AppData\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Roaming\"\n",
                    "C:\\users\\unixname\\AppData\\Roaming"},
        UserRegCase{"KeysAndNamesCompareIgnoringCase",
                    "[SOFTWARE\\\\microsoft\\\\WINDOWS\\\\currentversion\\\\explorer\\\\shell "
                    "folders]\n\"APPDATA\"=\"C:\\\\users\\\\c\\\\Roaming\"\n",
                    "C:\\users\\c\\Roaming"},
        UserRegCase{"EscapesDecoded",
                    kShell + "\"AppData\"=\"C:\\\\users\\\\Jos\\xe9 \\\"Q\\\"\\\\AppData\"\n",
                    "C:\\users\\Jos\xC3\xA9 \"Q\"\\AppData"},
        UserRegCase{"SurrogatePairEscape", kShell + "\"AppData\"=\"C:\\\\u\\\\\\xd83d\\xde00\"\n",
                    "C:\\u\\\xF0\x9F\x98\x80"},
        // Read as Wine reads it: blanks before a line and around '=', repeated backslashes.
        UserRegCase{
            "BlanksAndBackslashesAsWineReadsThem",
            "  [Software\\\\\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell "
            "Folders\\\\] 1\n\t\"AppData\" =  \"C:\\\\users\\\\w\"\n",
            "C:\\users\\w"},
        UserRegCase{"NoneNamed", "[Software\\\\Other] 1\n\"AppData\"=\"C:\\\\nope\"\n",
                    "C:\\users\\unixname\\AppData\\Roaming"},
        UserRegCase{"GarbageSkipped",
                    "\x01\x02 garbage\n[unterminated\n\"AppData\"=\"C:\\\\bad\"\n\"x\n=\n" +
                        kShell +
                        "\"Broken\n\"AppData\"=dword:00000001\n\"AppData\"=hex:00\n"
                        "\"AppData\"=\"C:\\\\users\\\\ok\\\\AppData\\\\Roaming\"\r\n"
                        "\"Desktop\"=\"unterminated\n",
                    "C:\\users\\ok\\AppData\\Roaming"},
        UserRegCase{"RelativeValueIgnored", kShell + "\"AppData\"=\"relative\\\\path\"\n",
                    "C:\\users\\unixname\\AppData\\Roaming"},
        UserRegCase{"Empty", "", "C:\\users\\unixname\\AppData\\Roaming"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AppDataFolder, ReadsTheUserRegOfThePrefix) {
    test::TempDir dir;
    test::writeFile(dir.path() / "user.reg",
                    std::string(kHeader) + kShell +
                        "\"AppData\"=\"C:\\\\users\\\\demo\\\\AppData\\\\Roaming\"\n");
    EXPECT_EQ(appDataFolder(dir.path()), "C:\\users\\demo\\AppData\\Roaming");
}

TEST(AppDataFolder, MissingOrSpecialUserRegGivesTheUsualFolder) {
    test::TempDir dir;
    EXPECT_EQ(appDataFolder(dir.path() / "nowhere"), appDataFolder(dir.path()));
    EXPECT_TRUE(appDataFolder(dir.path()).ends_with("\\AppData\\Roaming"));
    // A folder, and a FIFO that would block a plain open, in place of the file.
    std::filesystem::create_directory(dir.path() / "user.reg");
    EXPECT_TRUE(appDataFolder(dir.path()).ends_with("\\AppData\\Roaming"));
    std::filesystem::remove(dir.path() / "user.reg");
    ASSERT_EQ(::mkfifo((dir.path() / "user.reg").c_str(), 0600), 0);
    EXPECT_TRUE(appDataFolder(dir.path()).ends_with("\\AppData\\Roaming"));
}

TEST(AppDataFolder, HugeUserRegIsReadOnlyUpToTheCap) {
    test::TempDir dir;
    const auto path = dir.path() / "user.reg";
    test::writeFile(path, std::string(kHeader) + kShell +
                              "\"AppData\"=\"C:\\\\users\\\\early\\\\AppData\\\\Roaming\"\n");
    // A sparse tail past the cap holds a value that must not be seen.
    std::filesystem::resize_file(path, kUserRegMaxSize + 16);
    {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << "\n" << kUserShell << "\"AppData\"=\"C:\\\\late\"\n";
    }
    EXPECT_EQ(appDataFolder(dir.path()), "C:\\users\\early\\AppData\\Roaming");
}

// The file is read a piece at a time; what stands before the folders' keys must not hide them.
TEST(AppDataFolder, FoldersAreFoundWhateverStandsBeforeThem) {
    const std::string shell = kShell + "\"AppData\"=\"C:\\\\users\\\\far\\\\AppData\\\\Roaming\"\n";
    const std::string pad = "[Software\\\\AAPad] 1700000000\n\"v\"=\"x\"\n";
    struct Case {
        const char* name;
        std::string before;
    };
    const std::size_t mib = std::size_t{1} << 20;
    // Padding that ends `offset` bytes into the file, the header included.
    auto padTo = [&](std::size_t offset) {
        std::string text;
        while (kHeader.size() + text.size() + pad.size() <= offset)
            text += pad;
        return text + std::string(offset - kHeader.size() - text.size(), '\n');
    };
    const Case cases[] = {
        {"a key line across two pieces", padTo(mib - 20)},
        {"a value line across two pieces", padTo(mib - kShell.size() - 10)},
        {"the line feed first in a piece", padTo(mib - shell.size() + 1)},
        {"beyond 64 MiB of keys", padTo(70 * mib)},
        {"after a line longer than any folder's", std::string(3 * mib, 'x') + "\n"},
        {"after NUL bytes", std::string(2 * mib + 5, '\0') + "\n"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        test::writeFile(dir.path() / "user.reg", std::string(kHeader) + c.before + shell);
        EXPECT_EQ(appDataFolder(dir.path()), "C:\\users\\far\\AppData\\Roaming") << c.name;
    }
}

TEST(CurrentWinePrefix, FromEnvironment) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string savedValue = saved ? saved : "";
    ::setenv("WINEPREFIX", "/tmp/some prefix", 1);
    EXPECT_EQ(currentWinePrefix(), std::filesystem::path("/tmp/some prefix"));
    // Wine takes only a whole path; a relative one is the user's current folder's.
    ::setenv("WINEPREFIX", "some/prefix", 1);
    EXPECT_EQ(currentWinePrefix(), std::filesystem::current_path() / "some/prefix");
    ::setenv("WINEPREFIX", "../up", 1);
    EXPECT_EQ(currentWinePrefix(), std::filesystem::current_path() / "../up");
    ::setenv("WINEPREFIX", "", 1);
    const char* home = std::getenv("HOME");
    EXPECT_EQ(currentWinePrefix(), std::filesystem::path(home ? home : "/") / ".wine");
    if (saved)
        ::setenv("WINEPREFIX", savedValue.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
}

} // namespace
} // namespace tintaro
