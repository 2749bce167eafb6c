// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "Module2.h"
#include "TempDir.h"
#include "UserRegFile.h"
#include "WineRegistry.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tintaro {
namespace {

// Applies killed at random moments never damage user.reg and leave at most the copy that the
// killed one was writing; one that completes leaves none.
TEST(KillLoop, KilledAppliesLeaveAWholeFileAndAtMostOneCopy) {
    constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\1";
    constexpr int kPadKeys = 40000; // about 3 MiB, so that a write takes a while
    test::TempDir tmp;
    WineRegistry::Options options;
    options.prefix = tmp.path() / "prefix";
    options.server = WineServer(tmp.path(), 4242);
    std::filesystem::create_directories(options.prefix / "drive_c");
    std::string text = "WINE REGISTRY Version 2\n";
    for (int i = 0; i < kPadKeys; ++i)
        text += "\n[Pad\\\\" + std::to_string(i) + "] 1\n\"v\"=\"" + std::string(40, 'p') + "\"\n";
    test::writeFile(options.prefix / "user.reg", text);
    const auto apply = [&](std::int32_t value) {
        WineRegistry registry(options);
        Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", value);
    };
    const auto copies = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(options.prefix))
            count += entry.path().filename().string().size() == 24; // .user.reg.tintaro-XXXXXX
        return count;
    };
    apply(1);
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        for (std::int32_t value = round * 1000; child == 0; ++value)
            apply(value);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 60000)(random));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        const auto contents = UserRegFile::read(test::readFile(options.prefix / "user.reg"));
        ASSERT_TRUE(contents) << "round " << round;
        int pads = 0, colours = 0;
        for (const auto& value : *contents) {
            pads += value.name == u"v";
            colours += value.name == u"IM Color" && value.data.starts_with("dword:");
        }
        ASSERT_EQ(pads, kPadKeys) << "round " << round;
        ASSERT_EQ(colours, 1) << "round " << round;
        ASSERT_LE(copies(), 1) << "round " << round;
    }
    apply(7);
    EXPECT_EQ(copies(), 0);
}

} // namespace
} // namespace tintaro
