// SPDX-License-Identifier: MIT
#include "AccountDiscovery.h"
#include "Base64TestEncoder.h"
#include "DataSource.h"
#include "FileSystem.h"
#include "Module2.h"
#include "RegErrors.h"
#include "WideText.h"
#include "Win32Registry.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace tintaro {
namespace {

// A key of its own under HKEY_CURRENT_USER, removed afterwards.
class RegistryTest : public testing::Test {
protected:
    std::string path = "Software\\Tintaro tests\\" + std::to_string(GetCurrentProcessId()) +
                       "\\PerPassportSettings\\1234567";
    void TearDown() override {
        RegDeleteTreeW(
            HKEY_CURRENT_USER,
            widen("Software\\Tintaro tests\\" + std::to_string(GetCurrentProcessId())).c_str());
    }
};

TEST_F(RegistryTest, StoredDwordIsReadBackAsTheSystemStoredIt) {
    // The program's own write path, through the registry it uses on this system.
    Module2::WriteRegDword(currentRegistry(), kHkeyCurrentUser, path, "IM Color", 0x00C0FFEE);
    Module2::WriteRegDword(currentRegistry(), kHkeyCurrentUser, path, "IM Color", -2);
    std::uint32_t value = 0;
    ASSERT_EQ(Win32Registry::getDword(kHkeyCurrentUser, path, "IM Color", value), kErrorSuccess);
    EXPECT_EQ(value, 0xFFFFFFFEu);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, widen(path).c_str(), L"IM Color", RRF_RT_ANY, &type,
                           nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(size, 4u);
}

TEST_F(RegistryTest, FailuresComeBackAsSystemCodes) {
    Win32Registry registry;
    RegKey key = 99;
    EXPECT_EQ(registry.createKey(0x80000002u, path, key), RegErrors::kInvalidHandle);
    EXPECT_EQ(key, 0u);
    const std::array<std::uint8_t, 4> data{1, 2, 3, 4};
    EXPECT_EQ(registry.setValue(12345, "IM Color", kRegDword, data), RegErrors::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(12345), RegErrors::kInvalidHandle);

    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, path, key), kErrorSuccess);
    ASSERT_NE(key, 0u);
    const std::array<std::uint8_t, 3> text{'a', 'b', 0};
    EXPECT_EQ(registry.setValue(key, "Name", 1 /* REG_SZ */, text), kErrorSuccess);
    EXPECT_EQ(registry.closeKey(key), kErrorSuccess);
    EXPECT_EQ(registry.closeKey(key), RegErrors::kInvalidHandle);

    std::uint32_t value = 7;
    EXPECT_EQ(Win32Registry::getDword(kHkeyCurrentUser, path, "IM Color", value),
              RegErrors::kFileNotFound);
    EXPECT_NE(Win32Registry::getDword(kHkeyCurrentUser, path, "Name", value), kErrorSuccess);
    EXPECT_EQ(value, 7u);
}

TEST(DataSourceTest, AppDataIsTheProfilesFolderWithoutTrailingBackslash) {
    const std::string folder = currentAppDataFolder();
    ASSERT_TRUE(FileSystem().openFolder(folder)) << folder;
    EXPECT_NE(folder.back(), '\\');
    wchar_t expected[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", expected, MAX_PATH), 0u);
    EXPECT_EQ(folder, narrow(expected));
}

// A Messenger folder below a fresh temporary folder, found by the same discovery as on Linux.
class Win32FilesTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        root = narrow(temp) + "tintaro-test-" + std::to_string(GetCurrentProcessId()) +
               "-\xC3\xB1"; // a non-ASCII name crosses the UTF-8 / UTF-16 boundary
        ASSERT_TRUE(CreateDirectoryW(widen(root).c_str(), nullptr));
    }
    void TearDown() override {
        std::wstring from = widen(root) + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    void write(const std::string& relative, std::string_view content) {
        std::string path = root;
        std::size_t start = 0;
        for (std::size_t k; (k = relative.find('\\', start)) != std::string::npos; start = k + 1)
            CreateDirectoryW(widen(path + "\\" + relative.substr(0, k)).c_str(), nullptr);
        std::ofstream(widen(root + "\\" + relative).c_str(), std::ios::binary) << content;
    }
    std::string root;
};

TEST_F(Win32FilesTest, DiscoveryFindsAccountsWithTheirAddresses) {
    const auto map = [](std::string_view email) {
        std::string text = "x\"" + std::string(email) + "\"";
        std::string utf16;
        for (char c : text)
            utf16 += {c, '\0'};
        return test::base64Encode(utf16);
    };
    const std::string messenger = "Microsoft\\MSN Messenger\\";
    write(messenger + "111\\Backgrounds\\map.dat", map("ana@example.com") + "!");
    write(messenger + "222\\UserTile\\map.dat", map("bo@example.com"));
    write(messenger + "333\\Backgrounds\\map.dat", "");
    write(messenger + "abc\\UserTile\\map.dat", map("no@example.com"));

    auto accounts = account::discoverAccounts(currentFileSystem(), root);
    // The order is the file system's; Wine's is not NTFS's sorted one.
    std::sort(accounts.begin(), accounts.end(),
              [](const auto& a, const auto& b) { return a.folderName < b.folderName; });
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].folderName, "111");
    EXPECT_EQ(accounts[0].email, u"ana@example.com");
    EXPECT_EQ(accounts[1].folderName, "222");
    EXPECT_EQ(accounts[1].email, u"bo@example.com");
}

TEST_F(Win32FilesTest, LengthsAndFoldersOnlyForWhatIsThere) {
    write("a\\b.dat", "123456");
    const FileSystem fs;
    EXPECT_EQ(fs.fileLength(root + "\\a\\b.dat"), 6);
    EXPECT_EQ(fs.fileLength(root + "/a/./b.dat"), 6);
    EXPECT_EQ(fs.fileLength(root + "\\a"), -1);
    EXPECT_EQ(fs.fileLength(root + "\\a\\missing"), -1);
    EXPECT_FALSE(fs.openFolder(root + "\\a\\b.dat"));
    // Paths that are not fully qualified name no place of their own.
    EXPECT_EQ(fs.fileLength("a\\b.dat"), -1);
    EXPECT_EQ(fs.fileLength("\\a\\b.dat"), -1);
    EXPECT_TRUE(fs.findFiles("\\*").empty());
    EXPECT_FALSE(fs.openFolder(""));

    const auto a = fs.openFolder(root + "\\a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->fileLength("..\\..\\b.dat"), 6); // ".." never leaves the folder
    const auto file = a->openBinary("b.dat");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->length(), 6);
    EXPECT_EQ(file->readAt(4, 10), (std::vector<std::uint8_t>{'5', '6'}));
    EXPECT_TRUE(file->readAt(6, 1).empty());
}

} // namespace
} // namespace tintaro
