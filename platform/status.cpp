// SPDX-License-Identifier: MIT

#include "platform/status.h"

#include <cerrno>

namespace vorlix::platform {

int StatusFromErrno(int error_number) {
  switch (error_number) {
    case 0: return kOk;
    case ENOENT: return kFileNotFound;
    case ENOTDIR:
    case ELOOP: return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EEXIST:
    case ENOTEMPTY: return kAccessDenied;
    case EROFS: return kWriteProtect;
    case EBUSY:
    case ETXTBSY: return kSharingViolation;
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case ENAMETOOLONG: return kInvalidName;
    default: return kAccessDenied;
  }
}

}  // namespace vorlix::platform
