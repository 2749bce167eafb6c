#include "FileFixtures.h"
#include "Module2.h"
#include "TempDir.h"
#include "UserRegFile.h"
#include "WineRegistry.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace tintaro {
namespace {

constexpr std::string_view kKey = "Software\\Microsoft\\MSNMessenger\\PerPassportSettings\\123";
constexpr int kPadKeys = 40000; // about 3 MiB, so that a write takes a while

std::size_t temporaryCopies(const std::filesystem::path& prefix) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(prefix))
        count += entry.path().filename().string().starts_with(".user.reg.tintaro-") &&
                 entry.path().filename() != ".user.reg.tintaro-lock";
    return count;
}

// Applies killed at random moments never damage user.reg, and leave at most the one copy that
// the killed apply was writing.
TEST(KillLoop, KilledAppliesLeaveAWholeFileAndAtMostOneCopy) {
    test::TempDir tmp;
    const auto prefix = tmp.path() / "prefix";
    std::filesystem::create_directories(prefix / "drive_c");
    std::string text = "WINE REGISTRY Version 2\n\n";
    for (int i = 0; i < kPadKeys; ++i)
        text += "[Software\\\\Pad\\\\" + std::to_string(i) + "] 1\n\"v\"=\"" +
                std::string(40, 'p') + "\"\n\n";
    test::writeFile(prefix / "user.reg", text);
    WineRegistry::Options options;
    options.prefix = prefix;
    options.server = WineServer(tmp.path(), 4242);
    {
        WineRegistry registry(options);
        Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 1);
    }

    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WineRegistry registry(options);
            for (std::int32_t value = round * 1000;; ++value)
                Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", value);
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 60000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        const auto contents = UserRegFile::read(test::readFile(prefix / "user.reg"));
        ASSERT_TRUE(contents) << "round " << round;
        std::size_t keys = 0;
        std::size_t colours = 0;
        for (const auto& value : contents->values) {
            keys += value.name == u"v";
            colours += value.name == u"IM Color" && value.data.starts_with("dword:");
        }
        ASSERT_EQ(keys, static_cast<std::size_t>(kPadKeys)) << "round " << round;
        ASSERT_EQ(colours, 1u) << "round " << round;
        ASSERT_LE(temporaryCopies(prefix), 1u) << "round " << round;
    }
    // An apply that completes leaves no copy at all.
    WineRegistry registry(options);
    Module2::WriteRegDword(registry, kHkeyCurrentUser, kKey, "IM Color", 7);
    EXPECT_EQ(temporaryCopies(prefix), 0u);
}

} // namespace
} // namespace tintaro
