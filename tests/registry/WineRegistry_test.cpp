// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "LockHolder.h"
#include "Module2.h"
#include "RegErrors.h"
#include "TempDir.h"
#include "WineRegistry.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tintaro {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123";
constexpr std::int64_t kNow = 1796628453;
const std::string kSection =
    "[Software\\\\Microsoft\\\\MSNMessenger\\\\PerPassportSettings\\\\123] 1796628453\n"
    "#time=1dd861c6c96a080\n";

class WineRegistryTest : public testing::Test {
protected:
    WineRegistryTest() { std::filesystem::create_directories(prefix() / "drive_c"); }

    std::filesystem::path prefix() const { return m_tmp.path() / "prefix"; }
    std::filesystem::path userReg() const { return prefix() / "user.reg"; }

    WineRegistry::Options options() const {
        WineRegistry::Options o;
        o.prefix = prefix();
        o.clock = [] { return kNow; };
        o.server = WineServer(m_tmp.path(), 4242);
        return o;
    }

    // Makes the prefix look served by a running wineserver (upstream layout).
    std::unique_ptr<test::LockHolder> fakeServer() const {
        const auto folder = m_tmp.path() / ".wine-4242" / test::serverFolderName(prefix());
        std::filesystem::create_directories(folder);
        return std::make_unique<test::LockHolder>(folder / "lock");
    }

    // A stand-in `wine` that records its arguments, environment and input, then exits `status`.
    std::string fakeWine(int status, bool hang = false) const {
        const auto script = m_tmp.path() / ("wine" + std::to_string(status) + (hang ? "h" : ""));
        const auto log = (m_tmp.path() / "wine.log").string();
        writeFile(script, "#!/bin/sh\n"
                          "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" +
                              log +
                              "'\n"
                              "echo \"WINEPREFIX=$WINEPREFIX\" >> '" +
                              log +
                              "'\n"
                              "echo \"input=$(cat)\" >> '" +
                              log + "'\n" + (hang ? "sleep 60\n" : "") + "exit " +
                              std::to_string(status) + "\n");
        ::chmod(script.c_str(), 0755);
        return script.string();
    }
    std::string wineLog() const { return readFile(m_tmp.path() / "wine.log"); }

    // Stores 255 as "IM Color" in the registry of `folder`; gives setValue's code.
    long applyTo(const std::filesystem::path& folder) const {
        auto o = options();
        o.prefix = folder;
        WineRegistry registry(o);
        RegKey key = 0;
        EXPECT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
        const std::array<std::uint8_t, 4> data{0xff, 0, 0, 0};
        return registry.setValue(key, "IM Color", kRegDword, data);
    }
    static std::set<std::string> namesIn(const std::filesystem::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    TempDir m_tmp;
};

TEST_F(WineRegistryTest, MissingUserRegCreatedWithHeaderArchAndTheKey) {
    writeFile(prefix() / "system.reg", "WINE REGISTRY Version 2\n;; x\n#arch=win32\n\n[A] 1\n");
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 255);
    EXPECT_EQ(readFile(userReg()),
              "WINE REGISTRY Version 2\n"
              ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
              "#arch=win32\n\n" +
                  kSection + "\"IM Color\"=dword:000000ff\n");
}

TEST_F(WineRegistryTest, SecondApplyWinsAndStringIsReplaced) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\MSNMessenger\\\\"
                         "PerPassportSettings\\\\123] 5\n\"IM Color\"=\"255\"\n");
    ::chmod(userReg().c_str(), 0600);
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 255);
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 16711680);
    EXPECT_EQ(readFile(userReg()), "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\"
                                   "MSNMessenger\\\\PerPassportSettings\\\\123] 5\n"
                                   "\"IM Color\"=dword:00ff0000\n");
    struct stat st {};
    ASSERT_EQ(::stat(userReg().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    // Only the lock file is left beside it; no temporary file.
    EXPECT_EQ(namesIn(prefix()),
              (std::set<std::string>{".user.reg.tintaro-lock", "drive_c", "user.reg"}));
}

TEST_F(WineRegistryTest, NegativeValueStoredAsItsUnsignedBits) {
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", -1);
    EXPECT_NE(readFile(userReg()).find("\"IM Color\"=dword:ffffffff\n"), std::string::npos);
}

TEST_F(WineRegistryTest, DamagedOrUnreadableFilesLeftUntouched) {
    for (const std::string& damaged :
         {std::string("WINE REGISTRY Version 3\n[A] 1\n"), std::string("garbage\0\0\0", 10),
          "WINE REGISTRY Version 2\n\n" + kSection + "\"Bin\"=hex:00,\\\n"}) {
        writeFile(userReg(), damaged);
        WineRegistry registry(options());
        RegKey key = 0;
        ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
        const std::array<std::uint8_t, 4> data{0xff, 0, 0, 0};
        EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), RegErrors::kBadDatabase);
        EXPECT_EQ(readFile(userReg()), damaged);
    }
    std::filesystem::remove(userReg());
    std::filesystem::create_directory(userReg());
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 255);
    EXPECT_TRUE(std::filesystem::is_directory(userReg()));
}

TEST_F(WineRegistryTest, EmptyUserRegGetsAValidFile) {
    writeFile(userReg(), "");
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 1);
    EXPECT_TRUE(readFile(userReg()).starts_with("WINE REGISTRY Version 2\n"));
}

TEST_F(WineRegistryTest, SymbolicLinkStaysALink) {
    writeFile(m_tmp.path() / "real.reg", "WINE REGISTRY Version 2\n");
    std::filesystem::create_symlink(m_tmp.path() / "real.reg", userReg());
    WineRegistry registry(options());
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 255);
    EXPECT_TRUE(std::filesystem::is_symlink(userReg()));
    EXPECT_EQ(readFile(m_tmp.path() / "real.reg"),
              "WINE REGISTRY Version 2\n\n" + kSection + "\"IM Color\"=dword:000000ff\n");
}

// Copies left by killed applies go at the next apply; only regular files of ours by that name.
TEST_F(WineRegistryTest, StaleTemporaryCopiesRemoved) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    for (const char* name :
         {".user.reg.tintaro-Ab12Cd", ".user.reg.tintaro-zzzzzz", ".user.reg.tintaro-Ab12C",
          ".user.reg.tintaro-Ab_2Cd", ".system.reg.tintaro-Ab12Cd", ".user.reg.tintaro-Other1"})
        writeFile(prefix() / name, "WINE REGISTRY Version 2\n[half");
    std::filesystem::create_symlink(userReg(), prefix() / ".user.reg.tintaro-Link01");
    std::filesystem::create_directory(prefix() / ".user.reg.tintaro-Dir001");
    // Another user's copy, where the tests may give one away.
    if (::chown((prefix() / ".user.reg.tintaro-Other1").c_str(), 65534, 65534) != 0)
        std::filesystem::remove(prefix() / ".user.reg.tintaro-Other1");
    auto expected = namesIn(prefix());
    expected.erase(".user.reg.tintaro-Ab12Cd");
    expected.erase(".user.reg.tintaro-zzzzzz");
    expected.insert(".user.reg.tintaro-lock");
    EXPECT_EQ(applyTo(prefix()), kErrorSuccess);
    EXPECT_EQ(namesIn(prefix()), expected);
}

// A folder that is no Wine prefix gets neither a user.reg nor a lock file; one named a prefix by
// its system.reg alone does.
TEST_F(WineRegistryTest, OnlyAWinePrefixGetsANewUserReg) {
    const auto home = m_tmp.path() / "home";
    std::filesystem::create_directories(home / "Documents");
    EXPECT_EQ(applyTo(home), RegErrors::kNotWinePrefix);
    EXPECT_EQ(namesIn(home), std::set<std::string>{"Documents"});
    writeFile(home / "system.reg", "WINE REGISTRY Version 2\n");
    EXPECT_EQ(applyTo(home), kErrorSuccess);
    EXPECT_TRUE(readFile(home / "user.reg").starts_with("WINE REGISTRY Version 2\n"));
}

// A user.reg without write permission is kept, even by a process that could replace it.
TEST_F(WineRegistryTest, ReadOnlyUserRegRefused) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n\n[A] 1\n");
    ::chmod(userReg().c_str(), 0444);
    EXPECT_EQ(applyTo(prefix()), RegErrors::kAccessDenied);
    EXPECT_EQ(readFile(userReg()), "WINE REGISTRY Version 2\n\n[A] 1\n");
    EXPECT_EQ(std::filesystem::status(userReg()).permissions(), std::filesystem::perms(0444));
    EXPECT_EQ(namesIn(prefix()), (std::set<std::string>{"drive_c", "user.reg"}));
}

// A link to nothing stays one: no file appears at either end.
TEST_F(WineRegistryTest, DanglingLinkRefused) {
    std::filesystem::create_symlink(m_tmp.path() / "gone.reg", userReg());
    EXPECT_EQ(applyTo(prefix()), RegErrors::kDanglingLink);
    EXPECT_TRUE(std::filesystem::is_symlink(userReg()));
    EXPECT_FALSE(std::filesystem::exists(m_tmp.path() / "gone.reg"));
    EXPECT_EQ(namesIn(prefix()), (std::set<std::string>{"drive_c", "user.reg"}));
}

// What sits at user.reg and cannot be read as a file is never replaced by a new one.
TEST_F(WineRegistryTest, UserRegThatIsNoReadableFileKept) {
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        std::function<bool(const std::filesystem::path&)> unchanged;
        long code;
    };
    const auto isLoop = [](const std::filesystem::path& p) {
        std::error_code ec;
        return std::filesystem::is_symlink(p) && std::filesystem::read_symlink(p, ec) == p;
    };
    const auto isFifo = [](const std::filesystem::path& p) {
        return std::filesystem::is_fifo(std::filesystem::symlink_status(p));
    };
    for (const Case& c : {
             Case{"SymlinkLoop",
                  [](const std::filesystem::path& p) { std::filesystem::create_symlink(p, p); },
                  isLoop, RegErrors::kWriteFault},
             Case{"Fifo", [](const std::filesystem::path& p) { ::mkfifo(p.c_str(), 0644); }, isFifo,
                  RegErrors::kBadDatabase},
         }) {
        std::filesystem::remove(userReg());
        c.make(userReg());
        ASSERT_TRUE(c.unchanged(userReg())) << c.name;
        WineRegistry registry(options());
        RegKey key = 0;
        ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
        const std::array<std::uint8_t, 4> data{0xff, 0, 0, 0};
        EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), c.code) << c.name;
        EXPECT_TRUE(c.unchanged(userReg())) << c.name;
    }
}

// Another Tintaro editing the same file, or a lock file that is not ours to open: nothing is
// written without the lock.
TEST_F(WineRegistryTest, NoWriteWithoutTheLock) {
    const std::string old = "WINE REGISTRY Version 2\n\n[A] 1\n";
    const auto lockFile = prefix() / ".user.reg.tintaro-lock";
    const auto elsewhere = m_tmp.path() / "elsewhere";
    struct Case {
        const char* name;
        std::function<std::unique_ptr<test::LockHolder>()> make;
        long code;
    };
    for (const Case& c : {
             Case{"HeldByAnotherProcess",
                  [&] {
                      auto holder = std::make_unique<test::LockHolder>(lockFile);
                      EXPECT_TRUE(holder->locked());
                      return holder;
                  },
                  RegErrors::kLockViolation},
             Case{"Folder",
                  [&] {
                      std::filesystem::create_directory(lockFile);
                      return nullptr;
                  },
                  RegErrors::kWriteFault},
             Case{"SymbolicLink",
                  [&] {
                      std::filesystem::create_symlink(elsewhere, lockFile);
                      return nullptr;
                  },
                  RegErrors::kWriteFault},
         }) {
        writeFile(userReg(), old);
        std::filesystem::remove_all(lockFile);
        const auto holder = c.make();
        WineRegistry registry(options());
        RegKey key = 0;
        ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
        const std::array<std::uint8_t, 4> data{0xff, 0, 0, 0};
        EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), c.code) << c.name;
        EXPECT_EQ(readFile(userReg()), old) << c.name;
        EXPECT_FALSE(std::filesystem::exists(elsewhere)) << c.name;
    }
}

class RenameFails : public RegFileWriter {
protected:
    bool renameFile(const std::filesystem::path&, const std::filesystem::path&) override {
        errno = EROFS;
        return false;
    }
};

TEST_F(WineRegistryTest, FailedWriteReportedAndOldFileKept) {
    const std::string old = "WINE REGISTRY Version 2\n\n[A] 1\n\"B\"=\"c\"\n";
    writeFile(userReg(), old);
    RenameFails writer;
    auto o = options();
    o.writer = &writer;
    WineRegistry registry(o);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> data{1, 2, 3, 0};
    EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), RegErrors::kAccessDenied);
    EXPECT_EQ(registry.closeKey(key), kErrorSuccess);
    EXPECT_EQ(readFile(userReg()), old);
}

TEST_F(WineRegistryTest, MissingPrefixAndForeignRootsWriteNothing) {
    auto o = options();
    o.prefix = m_tmp.path() / "absent";
    WineRegistry missing(o);
    RegKey key = 7;
    EXPECT_EQ(missing.createKey(kHkeyCurrentUser, kKey, key), RegErrors::kPathNotFound);
    EXPECT_EQ(key, 0u);
    Module2::WriteRegDword(missing, kHkeyCurrentUser, kKey, "IM Color", 255);
    EXPECT_FALSE(std::filesystem::exists(o.prefix));

    WineRegistry registry(options());
    constexpr RegKey kHkeyLocalMachine = 0x80000002u;
    EXPECT_EQ(registry.createKey(kHkeyLocalMachine, kKey, key), RegErrors::kInvalidHandle);
    Module2::WriteRegDword(registry, kHkeyLocalMachine, kKey, "IM Color", 255);
    EXPECT_FALSE(std::filesystem::exists(userReg()));
}

struct BadCallCase {
    const char* name;
    std::string path;
    std::string valueName;
    std::uint32_t type;
    std::size_t size;
    long createCode;
    long setCode;
};

class WineRegistryBadCallTest : public WineRegistryTest,
                                public testing::WithParamInterface<BadCallCase> {};

TEST_P(WineRegistryBadCallTest, RefusedWithoutWriting) {
    const BadCallCase& c = GetParam();
    WineRegistry registry(options());
    RegKey key = 0;
    EXPECT_EQ(registry.createKey(kHkeyCurrentUser, c.path, key), c.createCode);
    const std::array<std::uint8_t, 8> data{};
    EXPECT_EQ(registry.setValue(key, c.valueName, c.type, std::span(data.data(), c.size)),
              c.setCode);
    EXPECT_FALSE(std::filesystem::exists(userReg()));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, WineRegistryBadCallTest,
    testing::Values(BadCallCase{"LeadingBackslash", "\\Software", "v", kRegDword, 4,
                                RegErrors::kBadPathname, RegErrors::kInvalidHandle},
                    BadCallCase{"EmptyPath", "", "v", kRegDword, 4, RegErrors::kBadKey,
                                RegErrors::kInvalidHandle},
                    BadCallCase{"NotUtf8", "Soft\xffware", "v", kRegDword, 4,
                                RegErrors::kInvalidParameter, RegErrors::kInvalidHandle},
                    BadCallCase{"ComponentTooLong", "A\\" + std::string(256, 'x'), "v", kRegDword,
                                4, RegErrors::kInvalidParameter, RegErrors::kInvalidHandle},
                    BadCallCase{"NulInPath", std::string("A\0B", 3), "v", kRegDword, 4,
                                RegErrors::kInvalidParameter, RegErrors::kInvalidHandle},
                    BadCallCase{"NotADword", "A", "v", 1, 4, kErrorSuccess,
                                RegErrors::kNotSupported},
                    BadCallCase{"ShortData", "A", "v", kRegDword, 3, kErrorSuccess,
                                RegErrors::kInvalidParameter},
                    BadCallCase{"ValueNameNotUtf8", "A", "\xc3", kRegDword, 4, kErrorSuccess,
                                RegErrors::kInvalidParameter}),
    [](const testing::TestParamInfo<BadCallCase>& info) { return std::string(info.param.name); });

TEST_F(WineRegistryTest, SubkeyOfAnOpenKeyAndHandleLifetime) {
    WineRegistry registry(options());
    RegKey parent = 0;
    RegKey child = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, "Software\\\\Microsoft\\", parent), 0);
    ASSERT_EQ(registry.createKey(parent, "MSNMessenger\\PerPassportSettings\\123", child), 0);
    EXPECT_NE(parent, child);
    EXPECT_EQ(registry.closeKey(parent), kErrorSuccess);
    EXPECT_EQ(registry.closeKey(parent), RegErrors::kInvalidHandle);
    const std::array<std::uint8_t, 4> data{0, 0, 0xff, 0};
    EXPECT_EQ(registry.setValue(child, "IM Color", kRegDword, data), kErrorSuccess);
    EXPECT_EQ(registry.closeKey(child), kErrorSuccess);
    EXPECT_EQ(registry.setValue(child, "IM Color", kRegDword, data), RegErrors::kInvalidHandle);
    EXPECT_NE(readFile(userReg()).find(kSection + "\"IM Color\"=dword:00ff0000\n"),
              std::string::npos);
}

TEST_F(WineRegistryTest, RunningServerGetsTheValueThroughWine) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    const auto server = fakeServer();
    ASSERT_TRUE(server->locked());
    auto o = options();
    o.wineCommand = fakeWine(0);
    WineRegistry registry(o);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> data{0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), kErrorSuccess);
    EXPECT_EQ(wineLog(), "[reg]\n[add]\n[HKCU\\" + std::string(kKey) +
                             "]\n[/v]\n[IM Color]\n[/t]\n[REG_DWORD]\n[/d]\n[4294967295]\n[/f]\n"
                             "WINEPREFIX=" +
                             prefix().string() + "\ninput=\n");
    // The server owns the file meanwhile: it is not touched.
    EXPECT_EQ(readFile(userReg()), "WINE REGISTRY Version 2\n");
}

TEST_F(WineRegistryTest, RunningServerFailuresReported) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    const auto server = fakeServer();
    ASSERT_TRUE(server->locked());
    const std::array<std::uint8_t, 4> data{1, 0, 0, 0};
    struct Case {
        std::string command;
        std::chrono::milliseconds timeout;
        long code;
    };
    for (const Case& c :
         {Case{(m_tmp.path() / "no-such-wine").string(), std::chrono::seconds(5),
               RegErrors::kFileNotFound},
          Case{fakeWine(1), std::chrono::seconds(5), RegErrors::kWriteFault},
          Case{fakeWine(0, true), std::chrono::milliseconds(300), RegErrors::kTimeout}}) {
        auto o = options();
        o.wineCommand = c.command;
        o.timeout = c.timeout;
        WineRegistry registry(o);
        RegKey key = 0;
        ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
        EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), c.code) << c.command;
        EXPECT_EQ(readFile(userReg()), "WINE REGISTRY Version 2\n");
    }
}

// A prefix run by a Wine that is not the one on PATH (a launcher's own build): its server takes
// commands only from a loader of its own version, so the loader installed beside the running
// server goes first, then the configured command, then a 64-bit loader beside the server.
struct LoaderCase {
    const char* name;
    bool wineBeside;
    bool wineBesideExecutable;
    bool wine64Beside;
    bool commandExists;
    const char* expected; // which loader ran; nullptr: none could be started
};

class WineLoaderTest : public WineRegistryTest, public testing::WithParamInterface<LoaderCase> {
protected:
    // A loader that notes its own path, then succeeds.
    void loader(const std::filesystem::path& path, bool executable = true) const {
        std::filesystem::create_directories(path.parent_path());
        writeFile(path,
                  "#!/bin/sh\necho \"$0\" >> '" + (m_tmp.path() / "ran.log").string() + "'\n");
        ::chmod(path.c_str(), executable ? 0755 : 0644);
    }
};

TEST_P(WineLoaderTest, TheRunningServersOwnLoaderFirst) {
    const LoaderCase& c = GetParam();
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    const auto bin = m_tmp.path() / "runner" / "bin";
    test::copyLockHolder(bin / "wineserver");
    const auto folder = m_tmp.path() / ".wine-4242" / test::serverFolderName(prefix());
    std::filesystem::create_directories(folder);
    test::LockHolder server(folder / "lock", bin / "wineserver");
    ASSERT_TRUE(server.locked());
    if (c.wineBeside)
        loader(bin / "wine", c.wineBesideExecutable);
    if (c.wine64Beside)
        loader(bin / "wine64");
    const auto command = m_tmp.path() / "path" / "wine";
    if (c.commandExists)
        loader(command);

    auto o = options();
    o.wineCommand = command.string();
    WineRegistry registry(o);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> data{1, 0, 0, 0};
    const long result = registry.setValue(key, "IM Color", kRegDword, data);
    if (c.expected) {
        EXPECT_EQ(result, kErrorSuccess);
        EXPECT_EQ(readFile(m_tmp.path() / "ran.log"), (m_tmp.path() / c.expected).string() + "\n");
    } else {
        EXPECT_EQ(result, RegErrors::kFileNotFound);
        EXPECT_EQ(readFile(m_tmp.path() / "ran.log"), "");
    }
    EXPECT_EQ(readFile(userReg()), "WINE REGISTRY Version 2\n");
}

INSTANTIATE_TEST_SUITE_P(
    Loaders, WineLoaderTest,
    testing::Values(
        LoaderCase{"BesideTheServer", true, true, true, true, "runner/bin/wine"},
        LoaderCase{"OnlyTheCommand", false, false, false, true, "path/wine"},
        LoaderCase{"CommandBefore64Bit", false, false, true, true, "path/wine"},
        LoaderCase{"Only64BitBesideTheServer", false, false, true, false, "runner/bin/wine64"},
        LoaderCase{"NotExecutableBesideTheServer", true, false, false, true, "path/wine"},
        LoaderCase{"NoLoaderAnywhere", false, false, false, false, nullptr}),
    [](const testing::TestParamInfo<LoaderCase>& info) { return std::string(info.param.name); });

// A wineserver that starts for the prefix while the file is being replaced.
class ServerStartsDuringWrite : public RegFileWriter {
public:
    explicit ServerStartsDuringWrite(std::function<std::unique_ptr<test::LockHolder>()> start)
        : m_start(std::move(start)) {}

protected:
    bool renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        m_server = m_start();
        return RegFileWriter::renameFile(from, to);
    }

private:
    std::function<std::unique_ptr<test::LockHolder>()> m_start;
    std::unique_ptr<test::LockHolder> m_server;
};

TEST_F(WineRegistryTest, ServerStartedDuringTheEditAlsoGetsTheValue) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    ServerStartsDuringWrite writer([this] { return fakeServer(); });
    auto o = options();
    o.wineCommand = fakeWine(0);
    o.writer = &writer;
    WineRegistry registry(o);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> data{0xff, 0, 0, 0};
    EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), kErrorSuccess);
    EXPECT_EQ(readFile(userReg()),
              "WINE REGISTRY Version 2\n\n" + kSection + "\"IM Color\"=dword:000000ff\n");
    EXPECT_TRUE(wineLog().starts_with("[reg]\n[add]\n[HKCU\\" + std::string(kKey) + "]\n"))
        << wineLog();
}

// Dead, or a zombie waiting for a parent that is not this test.
bool processGone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const auto paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() || line[paren + 2] == 'Z' ||
           line[paren + 2] == 'X';
}

TEST_F(WineRegistryTest, TimeoutEndsWhatWineStarted) {
    writeFile(userReg(), "WINE REGISTRY Version 2\n");
    const auto server = fakeServer();
    ASSERT_TRUE(server->locked());
    const auto pidFile = m_tmp.path() / "sleeper.pid";
    const auto script = m_tmp.path() / "wine-spawner";
    writeFile(script, "#!/bin/sh\nsleep 60 &\necho $! > '" + pidFile.string() + ".new'\nmv '" +
                          pidFile.string() + ".new' '" + pidFile.string() + "'\nwait\n");
    ::chmod(script.c_str(), 0755);
    auto o = options();
    o.wineCommand = script.string();
    o.timeout = std::chrono::milliseconds(1000);
    WineRegistry registry(o);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> data{1, 0, 0, 0};
    EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, data), RegErrors::kTimeout);
    const std::string recorded = readFile(pidFile);
    ASSERT_FALSE(recorded.empty()) << "the fake wine did not start its child in time";
    const pid_t sleeper = static_cast<pid_t>(std::stol(recorded));
    // SIGKILL is delivered asynchronously; give the kernel a moment to finish the sleeper.
    for (int i = 0; i < 200 && !processGone(sleeper); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool gone = processGone(sleeper);
    if (!gone)
        ::kill(sleeper, SIGKILL);
    EXPECT_TRUE(gone);
}

} // namespace
} // namespace tintaro

namespace tintaro {
namespace {

TEST(CurrentRegistryTest, DefaultIsThePrefixNamedByWinePrefixAtEachCall) {
    test::TempDir first;
    test::TempDir second;
    const char* saved = std::getenv("WINEPREFIX");
    const std::string restore = saved ? saved : "";
    for (const auto* dir : {&first, &second}) {
        std::filesystem::create_directory(dir->path() / "drive_c");
        ::setenv("WINEPREFIX", dir->path().c_str(), 1);
        Module2::WriteRegDword(currentRegistry(), kHkeyCurrentUser, kKey, "IM Color", 255);
    }
    if (saved)
        ::setenv("WINEPREFIX", restore.c_str(), 1);
    else
        ::unsetenv("WINEPREFIX");
    for (const auto* dir : {&first, &second})
        EXPECT_NE(test::readFile(dir->path() / "user.reg").find("\"IM Color\"=dword:000000ff\n"),
                  std::string::npos);
}

} // namespace
} // namespace tintaro
