// SPDX-License-Identifier: MIT
#include "Registry.h"

#include "RegErrors.h"

#include <atomic>

namespace tintaro {

namespace {

std::atomic<Registry*> g_replacement{nullptr};

} // namespace

std::string failureReason(long code) {
    switch (code) {
    case RegErrors::kFileNotFound:
        return "file not found";
    case RegErrors::kPathNotFound:
        return "folder not found";
    case RegErrors::kAccessDenied:
        return "permission denied (the file is read-only or not yours to write)";
    case RegErrors::kInvalidHandle:
        return "the key is not open";
    case RegErrors::kWriteFault:
        return "write error";
    case RegErrors::kLockViolation:
        return "another program keeps the file locked";
    case RegErrors::kNotSupported:
        return "only REG_DWORD values can be stored";
    case RegErrors::kInvalidParameter:
        return "invalid key or value name";
    case RegErrors::kDiskFull:
        return "the disk is full";
    case RegErrors::kBadPathname:
        return "invalid key path";
    case RegErrors::kBadDatabase:
        return "it is not a registry file that Wine would load";
    case RegErrors::kBadKey:
        return "invalid key";
    case RegErrors::kTimeout:
        return "it took too long";
    case RegErrors::kNotWinePrefix:
        return "the folder is not a Wine prefix (it has no system.reg or drive_c)";
    case RegErrors::kDanglingLink:
        return "it is a symbolic link to a file that does not exist";
    default:
        return "error " + std::to_string(code);
    }
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
