#pragma once

// The Windows error codes the registry calls return, in their Windows values.
namespace tintaro::RegErrors {

inline constexpr long kFileNotFound = 2;
inline constexpr long kPathNotFound = 3;
inline constexpr long kAccessDenied = 5;
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

// The code for a failed file operation's errno.
long fromErrno(int error);

} // namespace tintaro::RegErrors
