// SPDX-License-Identifier: MIT
// Status codes of the platform services, numbered as Windows numbers them so that
// the callers' messages and retry rules read the same on every platform.
#pragma once

#include <string>

namespace vorlix::platform {

enum Status : int {
  kOk = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kNotEnoughMemory = 8,
  kInvalidDrive = 15,
  kNotSameDevice = 17,
  kWriteProtect = 19,
  kNotReady = 21,
  kSharingViolation = 32,
  kInvalidParameter = 87,
  kDiskFull = 112,
  kInvalidName = 123,
  kMoreData = 234,
  kDirectoryInvalid = 267,
  kIoDevice = 1117,
  // Bit 29 marks a code of the application's own, as on Windows: here, a
  // system error number that no Windows code fits, kept in the low bits.
  kSystemErrorFlag = 0x20000000,
};

// The status for an errno value of a failed system call.
int StatusFromErrno(int error_number);

// The system's own text for a status that carries a system error number;
// empty for every other status.
std::string SystemErrorText(int status);

// The system's text for an error number as the middle of a sentence:
// "permission denied".
std::string ReasonText(int error);

}  // namespace vorlix::platform
