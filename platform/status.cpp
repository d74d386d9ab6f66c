// SPDX-License-Identifier: MIT
// Status codes of the platform services, numbered as Windows numbers them so that the callers'
// messages and retry rules read the same on every platform.

#include "platform/status.h"

#include <glib.h>

#include <cerrno>
#include <cstring>

#include "platform/ascii.h"

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
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case ENOMEM: return kNotEnoughMemory;
    case EXDEV: return kNotSameDevice;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return kNotReady;
    case EINVAL: return kInvalidParameter;
    case EIO: return kIoDevice;
    default: return kSystemErrorFlag | error_number;
  }
}

std::string SystemErrorText(int status) {
  if ((status & kSystemErrorFlag) == 0) return {};
  return std::strerror(status & ~kSystemErrorFlag);
}

std::string ReasonText(int error) {
  std::string text = g_strerror(error);
  if (!text.empty()) text.front() = AsciiLower(text.front());
  return text;
}

}  // namespace vorlix::platform
