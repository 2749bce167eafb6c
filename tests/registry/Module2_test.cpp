// SPDX-License-Identifier: MIT
#include "FileFixtures.h"
#include "LockHolder.h"
#include "Module2.h"
#include "RegErrors.h"
#include "TempDir.h"
#include "WineRegistry.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tintaro {
namespace {

// Records every call as one line of text.
class RecordingRegistry : public Registry {
public:
    explicit RecordingRegistry(bool createFails)
        : m_createFails(createFails) {}

    long createKey(RegKey root, std::string_view path, RegKey& key) override {
        calls.push_back("create " + std::to_string(root) + " " + std::string(path));
        key = m_createFails ? 0 : 42;
        return m_createFails ? RegErrors::kAccessDenied : kErrorSuccess;
    }
    long setValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        std::string call =
            "set " + std::to_string(key) + " " + std::string(name) + " " + std::to_string(type);
        for (const auto byte : data)
            call += " " + std::to_string(byte);
        calls.push_back(call);
        return key == 42 ? setCode : RegErrors::kInvalidHandle;
    }
    long closeKey(RegKey key) override {
        calls.push_back("close " + std::to_string(key));
        return key == 42 ? closeCode : RegErrors::kInvalidHandle;
    }

    std::vector<std::string> calls;
    long setCode = kErrorSuccess;
    long closeCode = kErrorSuccess;

private:
    bool m_createFails;
};

TEST(Module2Test, ThreeCallsWithTheValueLeastSignificantByteFirst) {
    struct Case {
        std::int32_t value;
        const char* bytes;
    };
    for (const Case& c :
         {Case{255, "255 0 0 0"}, Case{16711680, "0 0 255 0"}, Case{-2, "254 255 255 255"}}) {
        RecordingRegistry registry(false);
        Module2::WriteRegDword(registry, kHkeyCurrentUser, "Software\\K\\123", "IM Color", c.value);
        EXPECT_EQ(registry.calls, (std::vector<std::string>{
                                      "create 2147483649 Software\\K\\123",
                                      std::string("set 42 IM Color 4 ") + c.bytes, "close 42"}));
    }
}

TEST(Module2Test, FailedCreateLeavesTheHandleZeroForTheLaterCalls) {
    RecordingRegistry registry(true);
    EXPECT_EQ(Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "IM Color", 1), 5);
    EXPECT_EQ(registry.calls, (std::vector<std::string>{"create 2147483649 K",
                                                        "set 0 IM Color 4 1 0 0 0", "close 0"}));
}

TEST(Module2Test, FirstFailureReturned) {
    RecordingRegistry registry(false);
    for (const auto& [set, close, first] : {std::tuple{0L, 0L, 0L}, {0L, 6L, 6L}, {29L, 6L, 29L}}) {
        registry.setCode = set;
        registry.closeCode = close;
        EXPECT_EQ(Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "IM Color", 1), first);
    }
}

// The description names the prefix's user.reg, or the prefix that `wine reg add` wrote to.
TEST(WineRegistryFailureTest, SaysWhereAndWhy) {
    const test::TempDir tmp;
    WineRegistry::Options options;
    const auto prefix = options.prefix = tmp.path();
    options.server = WineServer(tmp.path(), 4242);
    test::writeFile(prefix / "user.reg", "REGEDIT4\n");
    WineRegistry registry(options);
    EXPECT_EQ(
        registry.describeFailure(Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "V", 1)),
        "Could not write " + (prefix / "user.reg").string() +
            ": it is not a registry file that Wine would load.");
    std::filesystem::create_directories(prefix / ".wine-4242" / test::serverFolderName(prefix));
    const test::LockHolder server(prefix / ".wine-4242" / test::serverFolderName(prefix) / "lock");
    EXPECT_EQ(registry.describeFailure(29), "\"wine reg add\" failed for the Wine prefix " +
                                                prefix.string() +
                                                ": Wine's reg command reported an error.");
}

TEST(Module2Test, CurrentRegistryCanBeReplacedAndRestored) {
    RecordingRegistry replacement(false);
    Registry& original = currentRegistry();
    setCurrentRegistry(&replacement);
    EXPECT_EQ(&currentRegistry(), &replacement);
    Module2::WriteRegDword(currentRegistry(), kHkeyCurrentUser, "K", "IM Color", 1);
    EXPECT_EQ(replacement.calls.size(), 3u);
    setCurrentRegistry(nullptr);
    EXPECT_EQ(&currentRegistry(), &original);
}

} // namespace
} // namespace tintaro
