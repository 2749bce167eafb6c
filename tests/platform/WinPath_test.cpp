// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "FileSystem.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace tintaro {
namespace {

// A prefix with the links Wine makes: c: to drive_c, z: to the root.
class WinPathTest : public testing::Test {
protected:
    void SetUp() override {
        prefix = dir.path() / "prefix";
        test::makePrefix(prefix);
        std::filesystem::create_directory_symlink("/", prefix / "dosdevices" / "z:");
        test::writeFile(prefix / "drive_c/users/Demo/AppData/Roaming/File.TXT", "x");
    }
    test::TempDir dir;
    std::filesystem::path prefix;
};

TEST_F(WinPathTest, ExactPathGoesThroughTheDriveLink) {
    EXPECT_EQ(unixPathOf(prefix, "C:\\users\\Demo\\AppData\\Roaming\\File.TXT"),
              prefix / "dosdevices/c:/users/Demo/AppData/Roaming/File.TXT");
}

TEST_F(WinPathTest, ComponentsMatchIgnoringCase) {
    const auto path = unixPathOf(prefix, "c:/USERS\\demo\\appdata\\ROAMING\\file.txt");
    EXPECT_EQ(path, prefix / "dosdevices/c:/users/Demo/AppData/Roaming/File.TXT");
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(WinPathTest, OneComponentInAnotherCaseAtAnyDepth) {
    const auto expected = prefix / "dosdevices/c:/users/Demo/AppData/Roaming/File.TXT";
    for (const char* path : {"C:\\users\\Demo\\AppData\\Roaming\\file.txt",
                             "C:\\users\\Demo\\appdata\\Roaming\\File.TXT",
                             "C:\\Users\\Demo\\AppData\\Roaming\\File.TXT"})
        EXPECT_EQ(unixPathOf(prefix, path), expected) << path;
}

TEST_F(WinPathTest, MissingComponentsAreKeptAsWritten) {
    EXPECT_EQ(unixPathOf(prefix, "C:\\USERS\\Nobody\\Sub\\f"),
              prefix / "dosdevices/c:/users/Nobody/Sub/f");
}

TEST_F(WinPathTest, DotsResolveWithoutLeavingTheDrive) {
    EXPECT_EQ(unixPathOf(prefix, "C:\\users\\.\\Demo\\..\\..\\..\\..\\users\\demo\\\\AppData"),
              prefix / "dosdevices/c:/users/Demo/AppData");
}

TEST_F(WinPathTest, OtherDrivesAndFallbacks) {
    EXPECT_EQ(unixPathOf(prefix, "Z:\\tmp"), prefix / "dosdevices/z:/tmp");
    EXPECT_EQ(unixPathOf(prefix, "C:"), prefix / "dosdevices/c:");
    std::filesystem::remove(prefix / "dosdevices" / "c:");
    EXPECT_EQ(unixPathOf(prefix, "C:\\users"), prefix / "drive_c/users");
    EXPECT_EQ(unixPathOf(prefix, "Q:\\x"), prefix / "dosdevices/q:/x");
}

TEST_F(WinPathTest, PathsWithoutADriveGiveNothing) {
    for (const char* path : {"", "C", "\\\\server\\share\\x", "users\\x", "1:\\x", ":\\x"})
        EXPECT_TRUE(unixPathOf(prefix, path).empty()) << path;
}

TEST_F(WinPathTest, SymlinkLoopDoesNotHang) {
    std::filesystem::create_directory_symlink("loop", prefix / "drive_c" / "loop");
    const auto path = unixPathOf(prefix, "C:\\LOOP\\a\\b");
    EXPECT_EQ(path, prefix / "dosdevices/c:/loop/a/b");
    std::error_code error;
    EXPECT_FALSE(std::filesystem::exists(path, error));
}

} // namespace
} // namespace tintaro
