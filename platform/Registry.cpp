// SPDX-License-Identifier: MIT
#include "Registry.h"

#include "RegErrors.h"

#include <atomic>
#include <utility>

namespace tintaro {

namespace {

std::atomic<Registry*> g_replacement{nullptr};

} // namespace

std::string failureReason(long code) {
    using namespace RegErrors;
    static constexpr std::pair<long, const char*> kReasons[] = {
        {kFileNotFound, "file not found"},
        {kPathNotFound, "folder not found"},
        {kAccessDenied, "permission denied (the file is read-only or not yours to write)"},
        {kInvalidHandle, "the key is not open"},
        {kWriteFault, "write error"},
        {kLockViolation, "another program keeps the file locked"},
        {kNotSupported, "only REG_DWORD values can be stored"},
        {kInvalidParameter, "invalid key or value name"},
        {kDiskFull, "the disk is full"},
        {kBadPathname, "invalid key path"},
        {kBadDatabase, "it is not a registry file that Wine would load"},
        {kBadKey, "invalid key"},
        {kTimeout, "it took too long"},
        {kNotWinePrefix, "the folder is not a Wine prefix (it has no system.reg or drive_c)"},
        {kDanglingLink, "it is a symbolic link to a file that does not exist"},
    };
    for (const auto& [known, reason] : kReasons)
        if (known == code)
            return reason;
    return "error " + std::to_string(code);
}

std::string Registry::describeFailure(long code) const {
    return "The registry refused the value: " + failureReason(code) + ".";
}

Registry& currentRegistry() {
    Registry* replacement = g_replacement.load();
    return replacement ? *replacement : systemRegistry();
}

void setCurrentRegistry(Registry* registry) {
    g_replacement.store(registry);
}

} // namespace tintaro
