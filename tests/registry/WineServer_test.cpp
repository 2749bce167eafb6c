// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "LockHolder.h"
#include "TempDir.h"
#include "WineServer.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tintaro {
namespace {

using test::LockHolder;
using test::TempDir;
using test::writeFile;

struct LayoutCase {
    const char* name;
    const char* wineserverFile; // nullptr: no such file
    bool debianLayout;          // else /tmp/.wine-<uid>
    bool expected;
};

class WineServerTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(WineServerTest, FindsTheLockOfARunningServer) {
    const LayoutCase& c = GetParam();
    TempDir tmp;
    const auto prefix = tmp.path() / "prefix";
    std::filesystem::create_directory(prefix);
    if (c.wineserverFile)
        writeFile(prefix / "wineserver", c.wineserverFile);
    const auto folder = (c.debianLayout ? tmp.path() / "wine-AbC123" : tmp.path() / ".wine-4242") /
                        test::serverFolderName(prefix);
    std::filesystem::create_directories(folder);
    const WineServer server(tmp.path(), 4242);

    writeFile(folder / "lock", "");
    EXPECT_FALSE(server.isRunning(prefix)) << "an unlocked lock file is a stale server";
    {
        LockHolder holder(folder / "lock");
        ASSERT_TRUE(holder.locked());
        EXPECT_EQ(server.isRunning(prefix), c.expected);
    }
    EXPECT_FALSE(server.isRunning(prefix));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WineServerTest,
    testing::Values(LayoutCase{"Debian", "wine-AbC123\n", true, true},
                    LayoutCase{"Upstream", nullptr, false, true},
                    LayoutCase{"UpstreamBesideDebianFile", "wine-AbC123", false, true},
                    LayoutCase{"DebianWithoutNameFile", nullptr, true, false},
                    LayoutCase{"NameWithSlash", "wine-AbC123/../wine-AbC123", true, false}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

// The running server's program is the lock holder's, as the process table names it: a Wine
// installed anywhere, not only the one on PATH.
TEST(WineServerProgramTest, NamesTheProgramHoldingTheLock) {
    TempDir tmp;
    const auto prefix = tmp.path() / "prefix";
    std::filesystem::create_directory(prefix);
    const auto folder = tmp.path() / ".wine-4242" / test::serverFolderName(prefix);
    std::filesystem::create_directories(folder);
    const auto program = test::copyLockHolder(tmp.path() / "runner" / "bin" / "wineserver");
    const WineServer server(tmp.path(), 4242);

    EXPECT_EQ(server.program(prefix), std::filesystem::path()) << "no server runs";
    {
        LockHolder holder(folder / "lock", program);
        ASSERT_TRUE(holder.locked());
        EXPECT_EQ(server.program(prefix), program);
    }
    EXPECT_EQ(server.program(prefix), std::filesystem::path()) << "the server has ended";
    EXPECT_EQ(server.program(tmp.path() / "absent"), std::filesystem::path());
}

// Anybody can hold a lock in a folder under /tmp; the program of another user's process is never
// named, since the loader beside it would be run.
TEST(WineServerProgramTest, AnotherUsersLockHolderIsNotTakenAtItsWord) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a process as another user";
    TempDir tmp;
    const auto prefix = tmp.path() / "prefix";
    std::filesystem::create_directory(prefix);
    const auto folder = tmp.path() / ".wine-4242" / test::serverFolderName(prefix);
    std::filesystem::create_directories(folder);
    const auto program = test::copyLockHolder(tmp.path() / "runner" / "wineserver");
    writeFile(folder / "lock", "");
    // The other user must reach the program and the lock file.
    for (const auto& path : {tmp.path(), tmp.path() / ".wine-4242", folder, program.parent_path()})
        ::chmod(path.c_str(), 0755);
    ::chmod((folder / "lock").c_str(), 0666);
    const WineServer server(tmp.path(), 4242);

    LockHolder holder(folder / "lock", program, 65534);
    ASSERT_TRUE(holder.locked());
    EXPECT_TRUE(server.isRunning(prefix)) << "a server is a server, whoever runs it";
    EXPECT_EQ(server.program(prefix), std::filesystem::path());
}

TEST(WineServerLocationTest, MissingPrefixHasNoServer) {
    TempDir tmp;
    const WineServer server(tmp.path(), 1000);
    EXPECT_TRUE(server.lockFiles(tmp.path() / "absent").empty());
    EXPECT_FALSE(server.isRunning(tmp.path() / "absent"));
    const auto files = server.lockFiles(tmp.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], tmp.path() / ".wine-1000" / test::serverFolderName(tmp.path()) / "lock");
}

} // namespace
} // namespace tintaro
