// SPDX-License-Identifier: MIT
#include "AccountDiscovery.h"
#include "Base64TestEncoder.h"
#include "FileFixtures.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tintaro::account {
namespace {

constexpr std::string_view kAppData = "C:\\users\\t\\AppData\\Roaming";
// A map.dat larger than 16 MiB is not read.
constexpr std::uintmax_t kMapDatReadCap = 16 * 1024 * 1024;

// map.dat content: Base64 of the UTF-16 little-endian text.
std::string mapDat(std::string_view text) {
    return test::base64Encode(test::utf16le(text));
}

class DiscoveryTest : public testing::Test {
protected:
    void SetUp() override {
        test::makePrefix(dir.path());
        std::filesystem::create_directories(messenger());
    }
    std::filesystem::path messenger() const {
        return dir.path() / "drive_c/users/t/AppData/Roaming/Microsoft/MSN Messenger";
    }
    void backgrounds(std::string_view account, std::string_view content) {
        test::writeFile(messenger() / account / "Backgrounds" / "map.dat", content);
    }
    void userTile(std::string_view account, std::string_view content) {
        test::writeFile(messenger() / account / "UserTile" / "map.dat", content);
    }
    std::vector<std::u16string> lines() const {
        std::vector<std::u16string> out;
        for (const auto& entry : discoverAccounts(fs, kAppData))
            out.push_back(accountLine(entry));
        return out;
    }
    std::vector<std::u16string> only(std::u16string line) const { return {std::move(line)}; }

    test::TempDir dir;
    FileSystem fs{dir.path()};
};

TEST_F(DiscoveryTest, LineIsFolderNameColonSpaceEmail) {
    backgrounds("123", mapDat("x\"ab\"y\"c\"") + "\n");
    EXPECT_EQ(lines(), only(u"123: ab"));
    const auto accounts = discoverAccounts(fs, kAppData);
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0].number, conv::Currency{1230000});
}

TEST_F(DiscoveryTest, BackgroundsIsReadWithoutItsLastByte) {
    // "IgBhACIA" is `"a"`; without its last byte the closing quote is cut to one byte.
    backgrounds("1", "IgBhACIA");
    userTile("1", mapDat("\"tile@example.com\""));
    backgrounds("2", mapDat("\"bg@example.com\"") + "!");
    userTile("2", mapDat("\"tile@example.com\""));
    EXPECT_EQ(lines(), only(u"2: bg@example.com"));
}

TEST_F(DiscoveryTest, UserTileIsReadWholeWhenBackgroundsIsEmptyOrMissing) {
    backgrounds("1", "");
    userTile("1", "IgBhACIA");
    userTile("2", "IgBiACIA");
    std::filesystem::create_directories(messenger() / "3" / "Backgrounds" / "map.dat");
    userTile("3", "IgBjACIA"); // a folder named map.dat cannot be opened as a file
    auto got = lines();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::u16string>{u"1: a", u"2: b", u"3: c"}));
}

TEST_F(DiscoveryTest, BackgroundsWithNothingToReadFallsBackToUserTile) {
    backgrounds("1", "X");
    userTile("1", "IgBhACIA");
    backgrounds("2", "X"); // and no UserTile
    EXPECT_EQ(lines(), only(u"1: a"));
}

TEST_F(DiscoveryTest, OversizedFilesCountAsAbsent) {
    backgrounds("1", "");
    std::filesystem::resize_file(messenger() / "1/Backgrounds/map.dat", kMapDatReadCap + 2);
    userTile("1", "IgBhACIA");
    // Its low 32 bits say 2 bytes; the real size is over the cap.
    backgrounds("2", "");
    std::filesystem::resize_file(messenger() / "2/Backgrounds/map.dat", (1ull << 32) + 2);
    userTile("2", "IgBiACIA");
    userTile("3", "");
    std::filesystem::resize_file(messenger() / "3/UserTile/map.dat", kMapDatReadCap + 1);
    // Exactly at the cap is still read.
    userTile("4", "IgBkACIA");
    std::filesystem::resize_file(messenger() / "4/UserTile/map.dat", kMapDatReadCap);
    auto got = lines();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::u16string>{u"1: a", u"2: b", u"4: d"}));
}

TEST_F(DiscoveryTest, EmailExtraction) {
    const std::pair<std::string, std::optional<std::u16string>> cases[] = {
        {mapDat("\"\"rest\"x\""), u""},
        {mapDat("no quotes"), std::nullopt},
        {mapDat("one \" only"), std::nullopt},
        {mapDat(" \" spaced  \" "), u" spaced  "},
        {mapDat("\"a\""), u"a"},
        {test::base64Encode(std::string("\"\0\xe9\0\x3d\xd8\x00\xde\"\0", 10)),
         std::u16string{u'\u00e9', 0xD83D, 0xDE00}},
        // An odd last byte belongs to no character: the closing quote is incomplete.
        {test::base64Encode(std::string("\"\0a\0\"", 5)), std::nullopt},
        {"QUJDR", std::nullopt},
        {"=", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [data, expected] : cases) {
        userTile("1", data);
        const auto accounts = discoverAccounts(fs, kAppData);
        EXPECT_EQ(accounts.empty() ? std::nullopt : std::optional(accounts[0].email), expected)
            << data;
    }
}

TEST_F(DiscoveryTest, AdjacentQuotesGiveAnEmptyEmail) {
    userTile("7", mapDat("\"\"x@example.com\""));
    EXPECT_EQ(lines(), only(u"7: "));
}

TEST_F(DiscoveryTest, LinesFollowEnumerationOrder) {
    for (int i = 0; i < 60; ++i) {
        const std::string name = std::to_string((i * 7919) % 100000);
        userTile(name, mapDat("\"u" + name + "@example.org\""));
    }
    std::vector<std::u16string> expected;
    for (const auto& entry : std::filesystem::directory_iterator(messenger())) {
        const std::string name = entry.path().filename().string();
        expected.push_back(std::u16string(name.begin(), name.end()) + u": u" +
                           std::u16string(name.begin(), name.end()) + u"@example.org");
    }
    EXPECT_EQ(lines(), expected);
}

TEST_F(DiscoveryTest, EntriesThatAreNotAccountsGiveNoLines) {
    test::writeFile(messenger() / "42", "plain file");
    test::writeFile(messenger() / "43" / "other.dat", "");
    std::filesystem::create_directory_symlink("loop", messenger() / "44");
    ASSERT_EQ(::mkfifo((messenger() / "45").c_str(), 0600), 0);
    std::filesystem::create_directories(messenger() / "46" / "UserTile");
    ASSERT_EQ(::mkfifo((messenger() / "46" / "UserTile" / "map.dat").c_str(), 0600), 0);
    std::filesystem::create_directories(messenger() / "47");
    std::filesystem::create_directory_symlink("Backgrounds", messenger() / "47" / "Backgrounds");
    EXPECT_TRUE(lines().empty());
}

TEST_F(DiscoveryTest, FolderNamesThatCannotStoreAColourAreLeftOut) {
    const std::string valid = mapDat("\"v@example.com\"");
    for (const std::string& name : std::vector<std::string>{
             "abc", "12a", "-5", "1.5", " 7", "1234567890123456", "999999999999999",
             std::string("\xff\xfe", 2), std::string(255, '1')})
        userTile(name, valid);
    userTile("0123", valid);
    userTile("922337203685477", valid);
    userTile(std::string(254, '0') + "5", valid);

    auto accounts = discoverAccounts(fs, kAppData);
    std::sort(accounts.begin(), accounts.end(),
              [](const auto& a, const auto& b) { return a.folderName < b.folderName; });
    ASSERT_EQ(accounts.size(), 3u);
    EXPECT_EQ(accounts[0].folderName, std::string(254, '0') + "5");
    EXPECT_EQ(accounts[0].number, conv::Currency{50000});
    EXPECT_EQ(accounts[1].folderName, "0123");
    EXPECT_EQ(accounts[1].number, conv::Currency{1230000});
    EXPECT_EQ(accountLine(accounts[1]), u"0123: v@example.com");
    EXPECT_EQ(accounts[2].number, conv::Currency{9223372036854770000});
}

TEST_F(DiscoveryTest, PathsMatchIgnoringCase) {
    std::filesystem::remove_all(dir.path() / "drive_c/users/t/AppData");
    const auto lower = dir.path() / "drive_c/users/t/appdata/roaming/microsoft/msn messenger";
    test::writeFile(lower / "5" / "BACKGROUNDS" / "Map.Dat", mapDat("\"m@example.com\"") + "\n");
    test::writeFile(lower / "6" / "usertile" / "MAP.DAT", mapDat("\"n@example.com\""));
    auto got = lines();
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::u16string>{u"5: m@example.com", u"6: n@example.com"}));
}

TEST_F(DiscoveryTest, MissingFoldersGiveAnEmptyList) {
    std::filesystem::remove_all(messenger());
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(discoverAccounts(FileSystem(dir.path() / "none"), kAppData).empty());
    EXPECT_TRUE(discoverAccounts(fs, "").empty());
    EXPECT_TRUE(discoverAccounts(fs, "not a path").empty());
}

} // namespace
} // namespace tintaro::account
