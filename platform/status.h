// SPDX-License-Identifier: MIT
// Status codes of the platform services, numbered as Windows numbers them so that
// the callers' messages and retry rules read the same on every platform.
#pragma once

namespace vorlix::platform {

enum Status : int {
  kOk = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kAccessDenied = 5,
  kInvalidDrive = 15,
  kWriteProtect = 19,
  kSharingViolation = 32,
  kDiskFull = 112,
  kInvalidName = 123,
  kMoreData = 234,
  kDirectoryInvalid = 267,
};

// The status for an errno value of a failed system call.
int StatusFromErrno(int error_number);

}  // namespace vorlix::platform
