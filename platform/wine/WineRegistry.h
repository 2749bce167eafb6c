// SPDX-License-Identifier: MIT
#pragma once

#include "RegFileWriter.h"
#include "Registry.h"
#include "WineServer.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace tintaro {

// The registry of a Wine prefix. HKEY_CURRENT_USER is the prefix's user.reg. While a wineserver
// runs for the prefix it owns that file (it rewrites it from memory), so values then go through
// `wine reg add`; otherwise user.reg itself is edited in place of Wine, atomically and keeping
// every other byte. createKey only records the key: the key, its missing parents and the value
// are written together by setValue. Only REG_DWORD values are supported.
// A missing user.reg is created only in a Wine prefix (one with system.reg or drive_c); a user.reg
// without write permission and a symbolic link to nothing are refused, each with its own code
// (RegErrors.h), and nothing is written. A working link is followed.
class WineRegistry final : public Registry {
public:
    struct Options {
        // The prefix folder; empty means the current prefix, looked up at each createKey.
        std::filesystem::path prefix;
        // The command that runs Wine, found on PATH (see wineLoaders for the order of loaders).
        std::string wineCommand = "wine";
        // How long `wine reg add` may run before it is killed.
        std::chrono::milliseconds timeout = std::chrono::seconds(10);
        // Unix seconds stamped on new keys; empty means the system clock.
        std::function<std::int64_t()> clock;
        WineServer server;
        // Writes user.reg; null means a plain RegFileWriter. The caller keeps ownership.
        RegFileWriter* writer = nullptr;
    };

    WineRegistry()
        : WineRegistry(Options{}) {}
    explicit WineRegistry(Options options)
        : m_options(std::move(options)) {}

    long createKey(RegKey root, std::string_view path, RegKey& key) override;
    long setValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;
    long closeKey(RegKey key) override;
    // Names the prefix's user.reg, or the prefix that `wine reg add` wrote to while its server
    // runs.
    std::string describeFailure(long code) const override;

private:
    struct OpenKey {
        std::filesystem::path prefix;
        std::string path; // UTF-8, components joined by single backslashes
    };

    long writeFile(const std::filesystem::path& prefix, const std::string& path,
                   std::string_view name, std::uint32_t value);
    long writeThroughWine(const std::filesystem::path& prefix, const std::string& path,
                          std::string_view name, std::uint32_t value);

    Options m_options;
    RegFileWriter m_defaultWriter;
    std::mutex m_mutex;
    std::map<RegKey, OpenKey> m_keys;
    RegKey m_nextKey = 1;
};

} // namespace tintaro
