// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "FileSystem.h"
#include "TempDir.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintaro {
namespace {

class FileSystemTest : public testing::Test {
protected:
    void SetUp() override { test::makePrefix(dir.path()); }
    std::filesystem::path root() const { return dir.path() / "drive_c"; }
    test::TempDir dir;
    FileSystem fs{dir.path()};
};

std::vector<std::string> readdirOrder(const std::filesystem::path& path) {
    std::vector<std::string> names;
    DIR* stream = ::opendir(path.c_str());
    while (const dirent* entry = ::readdir(stream))
        names.emplace_back(entry->d_name);
    ::closedir(stream);
    return names;
}

TEST_F(FileSystemTest, FindFilesGivesEveryEntryInReaddirOrder) {
    for (int i = 0; i < 40; ++i)
        test::writeFile(root() / "d" / std::to_string(i * 7919 % 1000) / "f", "");
    test::writeFile(root() / "d" / "plain.txt", "");
    const auto names = fs.findFiles("C:\\D\\*");
    EXPECT_EQ(names, readdirOrder(root() / "d"));
    EXPECT_EQ(names.size(), 43u); // 40 folders, the file, "." and ".."
    EXPECT_NE(std::find(names.begin(), names.end(), "."), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), ".."), names.end());
}

TEST_F(FileSystemTest, FindFilesMatchesWildcards) {
    for (const char* name : {"a.dat", "B.DAT", "c.txt", "dat"})
        test::writeFile(root() / name, "");
    auto names = fs.findFiles("C:\\*.dat");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.DAT", "a.dat"}));
    names = fs.findFiles("C:\\?.txt");
    EXPECT_EQ(names, std::vector<std::string>{"c.txt"});
}

// "*.*" is every name, with or without a dot, as "*" is; "/" separates folders as "\" does.
TEST_F(FileSystemTest, FindFilesStarDotStarAndForwardSlashes) {
    for (const char* name : {"a.dat", "dat", ".hidden"})
        test::writeFile(root() / "d" / name, "");
    const auto all = readdirOrder(root() / "d");
    for (const char* pattern : {"C:\\D\\*.*", "C:/D/*", "C:\\D/*.*", "C:/d\\*"})
        EXPECT_EQ(fs.findFiles(pattern), all) << pattern;
}

TEST_F(FileSystemTest, FindFilesOnMissingOrBadFoldersGivesNothing) {
    test::writeFile(root() / "file", "");
    for (const char* pattern : {"C:\\missing\\*", "C:\\file\\*", "*", "relative\\*", "\\\\s\\x\\*"})
        EXPECT_TRUE(fs.findFiles(pattern).empty()) << pattern;
    EXPECT_TRUE(FileSystem(dir.path() / "none").findFiles("C:\\*").empty());
}

TEST_F(FileSystemTest, FileLength) {
    test::writeFile(root() / "five", "12345");
    test::writeFile(root() / "empty", "");
    std::filesystem::create_directory(root() / "folder");
    ASSERT_EQ(::mkfifo((root() / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("five", root() / "link");
    std::filesystem::create_symlink("dangling-target", root() / "dangling");
    std::filesystem::create_symlink("self", root() / "self");

    const std::pair<const char*, std::int32_t> cases[] = {
        {"C:\\five", 5},      {"C:\\FIVE", 5},  {"C:\\empty", 0},
        {"C:\\folder", -1},   {"C:\\fifo", -1}, {"C:\\link", 5},
        {"C:\\dangling", -1}, {"C:\\self", -1}, {"C:\\missing", -1},
        {"C:\\five\\x", -1},  {"", -1},
    };
    for (const auto& [path, length] : cases)
        EXPECT_EQ(fs.fileLength(path), length) << path;
}

TEST_F(FileSystemTest, FileLengthKeepsTheLow32Bits) {
    const auto path = root() / "big";
    test::writeFile(path, "");
    std::filesystem::resize_file(path, (std::uintmax_t{1} << 32) + 3); // sparse
    EXPECT_EQ(fs.fileLength("C:\\big"), 3);
    std::filesystem::resize_file(path, 0x80000000u);
    EXPECT_EQ(fs.fileLength("C:\\big"), INT32_MIN);
}

TEST_F(FileSystemTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    test::writeFile(root() / "secret", "abc");
    std::filesystem::permissions(root() / "secret", std::filesystem::perms::none);
    EXPECT_EQ(fs.fileLength("C:\\secret"), -1);
    EXPECT_FALSE(fs.openBinary("C:\\secret"));
}

TEST_F(FileSystemTest, ReadFromStart) {
    test::writeFile(root() / "f", "abcdef");
    const auto file = fs.openBinary("c:\\F");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->length(), 6);
    EXPECT_EQ(file->readAt(0, 5), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd', 'e'}));
    EXPECT_EQ(file->readAt(0, 100).size(), 6u);
    EXPECT_TRUE(file->readAt(0, 0).empty());
    EXPECT_FALSE(fs.openBinary("C:\\"));
}

// A folder held open finds every path below it as the whole Windows path would be found: case
// variants at any depth, links, special files, files where folders are expected, dots.
TEST_F(FileSystemTest, OpenFolderFindsWhatTheWholePathFinds) {
    test::writeFile(root() / "acct/Backgrounds/map.dat", "12345");
    test::writeFile(root() / "acct/UserTile/MAP.DAT", "123");
    test::writeFile(root() / "acct/plain", "ab");
    test::writeFile(root() / "acct/Deep/er/File", "abcd");
    std::filesystem::create_directory(root() / "acct/empty");
    ASSERT_EQ(::mkfifo((root() / "acct/fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("plain", root() / "acct/link");
    std::filesystem::create_symlink("nowhere", root() / "acct/dangling");
    std::filesystem::create_symlink("loop", root() / "acct/loop");
    std::filesystem::create_directory_symlink("Deep", root() / "acct/deeplink");

    const auto folder = fs.openFolder("C:\\ACCT\\");
    ASSERT_TRUE(folder);
    for (const char* relative : {"Backgrounds\\map.dat",
                                 "backgrounds\\MAP.dat",
                                 "BACKGROUNDS/map.dat",
                                 "UserTile\\map.dat",
                                 "usertile\\map.dat",
                                 "plain",
                                 "PLAIN",
                                 "deep\\ER\\file",
                                 "Deep/er/File",
                                 "deeplink\\er\\file",
                                 "empty",
                                 "fifo",
                                 "link",
                                 "dangling",
                                 "loop",
                                 "plain\\x",
                                 "missing",
                                 "missing\\map.dat",
                                 ".\\plain",
                                 "empty\\..\\plain",
                                 "",
                                 "."}) {
        const std::string whole = std::string("C:\\acct\\") + relative;
        EXPECT_EQ(folder->fileLength(relative), fs.fileLength(whole)) << relative;
        EXPECT_EQ(folder->openBinary(relative).has_value(), fs.openBinary(whole).has_value())
            << relative;
        EXPECT_EQ(folder->folder(relative).has_value(), fs.openFolder(whole).has_value())
            << relative;
    }
    EXPECT_EQ(folder->fileLength("usertile\\map.dat"), 3);
    EXPECT_EQ(folder->fileLength("DEEPLINK/ER/FILE"), 4);
    EXPECT_EQ(folder->fileLength("..\\..\\plain"), 2); // ".." stays inside the folder

    const auto inner = folder->folder("deep\\ER");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->fileLength("FILE"), 4);
    EXPECT_FALSE(folder->folder("plain"));
    EXPECT_FALSE(folder->folder("missing"));
    EXPECT_FALSE(fs.openFolder("C:\\acct\\plain"));
    EXPECT_FALSE(fs.openFolder("acct"));
    EXPECT_TRUE(fs.openFolder("c:"));
}

// Only the right to pass through a folder is needed to open the files below it by name; a folder
// that cannot be listed only loses the case-insensitive lookups.
TEST_F(FileSystemTest, OpenFolderNeedsOnlySearchPermission) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root lists every folder";
    test::writeFile(root() / "locked/map.dat", "123");
    std::filesystem::permissions(root() / "locked", std::filesystem::perms::owner_exec);
    const auto folder = fs.openFolder("C:\\locked");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->fileLength("map.dat"), 3);
    EXPECT_EQ(folder->fileLength("MAP.DAT"), -1);
    std::filesystem::permissions(root() / "locked", std::filesystem::perms::owner_all);
}

} // namespace
} // namespace tintaro
