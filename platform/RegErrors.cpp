// SPDX-License-Identifier: MIT
#include "RegErrors.h"

#include <cerrno>

namespace tintaro::RegErrors {

long fromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case ENOENT:
        return kPathNotFound;
    default:
        return kWriteFault;
    }
}

} // namespace tintaro::RegErrors
