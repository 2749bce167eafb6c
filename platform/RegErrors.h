// SPDX-License-Identifier: MIT
#pragma once

// The Windows error codes the registry calls return, in their Windows values.
namespace tintaro::RegErrors {

inline constexpr long kFileNotFound = 2;
inline constexpr long kPathNotFound = 3;
inline constexpr long kAccessDenied = 5; // also a user.reg without write permission
inline constexpr long kInvalidHandle = 6;
inline constexpr long kWriteFault = 29;
inline constexpr long kLockViolation = 33;
inline constexpr long kNotSupported = 50;
inline constexpr long kInvalidParameter = 87;
inline constexpr long kDiskFull = 112;
inline constexpr long kBadPathname = 161;
inline constexpr long kBadDatabase = 1009; // the registry file is one Wine would not load
inline constexpr long kBadKey = 1010;
inline constexpr long kTimeout = 1460;
// The prefix folder holds no user.reg and is no Wine prefix (no system.reg, no drive_c), e.g. a
// mistyped path or the home folder: nothing is created there. ERROR_DIRECTORY.
inline constexpr long kNotWinePrefix = 267;
// user.reg is a symbolic link to nothing; Wine could not read through it either, and replacing
// it by a file would cut the link. ERROR_CANT_RESOLVE_FILENAME.
inline constexpr long kDanglingLink = 1921;

// The code for a failed file operation's errno.
long fromErrno(int error);

} // namespace tintaro::RegErrors
