// SPDX-License-Identifier: MIT
// Runs against the installed Wine: fails (never skips) when Wine is missing.
#include "FileFixtures.h"
#include "Module2.h"
#include "TempDir.h"
#include "UserRegFile.h"
#include "WineRegistry.h"
#include "WineServer.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tintaro {
namespace {

using namespace std::chrono_literals;

constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123";

struct Result {
    int status = -1;
    std::string output;
};

// Runs `args` with WINEPREFIX set to `prefix`, standard input from /dev/null, killed after
// `limit`.
Result run(std::vector<std::string> args, const std::filesystem::path& prefix,
           std::chrono::seconds limit) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string_view item(*e);
        if (!item.starts_with("WINEPREFIX=") && !item.starts_with("WINEDEBUG=") &&
            !item.starts_with("WINEDLLOVERRIDES="))
            env.emplace_back(item);
    }
    env.push_back("WINEPREFIX=" + prefix.string());
    env.emplace_back("WINEDEBUG=-all");
    env.emplace_back("WINEDLLOVERRIDES=mscoree,mshtml=");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    // Output goes to a file: wine's server inherits descriptors and would hold a pipe open.
    const auto outFile = prefix.parent_path() / "output.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    Result result;
    if (spawned != 0)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(20ms);
    }
    result.output = test::readFile(outFile);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::filesystem::path dir(rest.substr(0, colon));
        if (::access((dir / name).c_str(), X_OK) == 0)
            return true;
        rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
    }
    return false;
}

class WineRegistryWineTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* tool : {"wine", "wineboot", "wineserver"}) {
            if (!onPath(tool))
                s_missing += std::string(tool) + " ";
        }
        if (!s_missing.empty())
            return;
        s_dir = std::make_unique<test::TempDir>();
        run({"wineboot", "--init"}, prefix(), 150s);
        run({"wineserver", "-w"}, prefix(), 60s);
    }
    static void TearDownTestSuite() {
        if (s_dir) {
            // Only the server of this test's own prefix is ended.
            if (WineServer().isRunning(prefix()))
                run({"wineserver", "-k"}, prefix(), 30s);
            s_dir.reset();
        }
    }
    void SetUp() override {
        ASSERT_TRUE(s_missing.empty()) << "Wine is not installed (missing: " << s_missing
                                       << "); install wine64 to run these tests";
        ASSERT_TRUE(std::filesystem::exists(prefix() / "user.reg")) << "wineboot failed";
    }
    static std::filesystem::path prefix() { return s_dir->path() / "prefix"; }

    static bool waitForServer(bool running) {
        const WineServer server;
        for (int i = 0; i < 300; ++i) {
            if (server.isRunning(prefix()) == running)
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    static std::string storedValue(std::string_view text) {
        std::string found;
        if (const auto contents = UserRegFile::read(text)) {
            for (const auto& value : *contents) {
                if (value.key == u"Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123" &&
                    value.name == u"IM Color")
                    found = value.data;
            }
        }
        return found;
    }

    static inline std::unique_ptr<test::TempDir> s_dir;
    static inline std::string s_missing;
};

TEST_F(WineRegistryWineTest, OfflineApplyIsReadBackByWine) {
    ASSERT_FALSE(WineServer().isRunning(prefix()));
    WineRegistry::Options options;
    options.prefix = prefix();
    WineRegistry registry(options);
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 255);
    EXPECT_EQ(storedValue(test::readFile(prefix() / "user.reg")), "dword:000000ff");

    const Result query = run(
        {"wine", "reg", "query", "HKCU\\" + std::string(kKey), "/v", "IM Color"}, prefix(), 60s);
    EXPECT_EQ(query.status, 0) << query.output;
    EXPECT_NE(query.output.find("IM Color    REG_DWORD    0xff"), std::string::npos)
        << query.output;
    run({"wineserver", "-w"}, prefix(), 60s);
}

TEST_F(WineRegistryWineTest, ApplyWhileServerRunsSurvivesItsShutdown) {
    const Result started = run({"wineserver", "-p"}, prefix(), 30s);
    ASSERT_EQ(started.status, 0);
    ASSERT_TRUE(waitForServer(true)) << "wineserver -p did not start";

    WineRegistry::Options options;
    options.prefix = prefix();
    WineRegistry registry(options);
    RegKey key = 0;
    ASSERT_EQ(registry.createKey(kHkeyCurrentUser, kKey, key), kErrorSuccess);
    const std::array<std::uint8_t, 4> blue{0, 0, 0xff, 0};
    EXPECT_EQ(registry.setValue(key, "IM Color", kRegDword, blue), kErrorSuccess);
    registry.closeKey(key);

    run({"wineserver", "-k"}, prefix(), 30s);
    ASSERT_TRUE(waitForServer(false));
    EXPECT_EQ(storedValue(test::readFile(prefix() / "user.reg")), "dword:00ff0000");
}

} // namespace
} // namespace tintaro
