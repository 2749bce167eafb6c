#include "FileFixtures.h"
#include "LockHolder.h"
#include "Module2.h"
#include "RegErrors.h"
#include "TempDir.h"
#include "WineRegistry.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tintaro {
namespace {

// Records every call as one line of text. A failed create leaves the handle 0, and the calls
// on handle 0 fail; `codes` are what create, set and close give otherwise.
class RecordingRegistry : public Registry {
public:
    explicit RecordingRegistry(bool createFails, std::array<long, 3> codes = {})
        : m_createFails(createFails)
        , m_codes(codes) {}

    long createKey(RegKey root, std::string_view path, RegKey& key) override {
        calls.push_back("create " + std::to_string(root) + " " + std::string(path));
        key = m_createFails ? 0 : 42;
        return m_createFails ? RegErrors::kAccessDenied : m_codes[0];
    }
    long setValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        std::string call =
            "set " + std::to_string(key) + " " + std::string(name) + " " + std::to_string(type);
        for (const auto byte : data)
            call += " " + std::to_string(byte);
        calls.push_back(call);
        return key == 42 ? m_codes[1] : RegErrors::kInvalidHandle;
    }
    long closeKey(RegKey key) override {
        calls.push_back("close " + std::to_string(key));
        return key == 42 ? m_codes[2] : RegErrors::kInvalidHandle;
    }

    std::vector<std::string> calls;

private:
    bool m_createFails;
    std::array<long, 3> m_codes;
};

TEST(Module2Test, ThreeCallsWithTheValueLeastSignificantByteFirst) {
    struct Case {
        std::int32_t value;
        const char* bytes;
    };
    for (const Case& c :
         {Case{255, "255 0 0 0"}, Case{16711680, "0 0 255 0"}, Case{-2, "254 255 255 255"}}) {
        RecordingRegistry registry(false);
        EXPECT_EQ(Module2::WriteRegDword(registry, kHkeyCurrentUser, "Software\\K\\123", "IM Color",
                                         c.value),
                  kErrorSuccess);
        EXPECT_EQ(registry.calls, (std::vector<std::string>{
                                      "create 2147483649 Software\\K\\123",
                                      std::string("set 42 IM Color 4 ") + c.bytes, "close 42"}));
    }
}

TEST(Module2Test, FailedCreateLeavesTheHandleZeroForTheLaterCalls) {
    RecordingRegistry registry(true);
    EXPECT_EQ(Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "IM Color", 1),
              RegErrors::kAccessDenied);
    EXPECT_EQ(registry.calls, (std::vector<std::string>{"create 2147483649 K",
                                                        "set 0 IM Color 4 1 0 0 0", "close 0"}));
}

TEST(Module2Test, FirstFailureReturnedAfterAllThreeCalls) {
    for (const auto& [codes, first] : {std::pair{std::array<long, 3>{0, 29, 6}, 29L},
                                       std::pair{std::array<long, 3>{0, 0, 6}, 6L},
                                       std::pair{std::array<long, 3>{112, 5, 0}, 112L}}) {
        RecordingRegistry registry(false, codes);
        EXPECT_EQ(Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "IM Color", 1), first);
        EXPECT_EQ(registry.calls.size(), 3u);
    }
}

// The description names the prefix's user.reg, or the prefix that `wine reg add` wrote to.
TEST(WineRegistryFailureTest, SaysWhereAndWhy) {
    const test::TempDir tmp;
    const auto prefix = tmp.path() / "prefix";
    std::filesystem::create_directory(prefix);
    test::writeFile(prefix / "user.reg", "REGEDIT4\n");
    WineRegistry::Options options;
    options.prefix = prefix;
    options.server = WineServer(tmp.path(), 4242);
    WineRegistry registry(options);
    const long code = Module2::WriteRegDword(registry, kHkeyCurrentUser, "K", "IM Color", 1);
    EXPECT_EQ(registry.describeFailure(code),
              "Could not write " + (prefix / "user.reg").string() +
                  ": it is not a registry file that Wine would load.");
    EXPECT_EQ(registry.describeFailure(RegErrors::kDiskFull),
              "Could not write " + (prefix / "user.reg").string() + ": the disk is full.");
    const auto server = tmp.path() / ".wine-4242" / test::serverFolderName(prefix);
    std::filesystem::create_directories(server);
    const test::LockHolder running(server / "lock");
    const std::string wine = "\"wine reg add\" failed for the Wine prefix " + prefix.string();
    EXPECT_EQ(registry.describeFailure(RegErrors::kWriteFault),
              wine + ": Wine's reg command reported an error.");
    EXPECT_EQ(registry.describeFailure(RegErrors::kFileNotFound), wine + ": Wine was not found.");
    EXPECT_EQ(registry.describeFailure(RegErrors::kTimeout),
              wine + ": it did not finish within 10 s.");
    options.prefix = tmp.path() / "absent";
    const WineRegistry absent(options);
    EXPECT_EQ(absent.describeFailure(RegErrors::kPathNotFound),
              "The Wine prefix " + options.prefix.string() + " does not exist.");
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
