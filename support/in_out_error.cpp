// SPDX-License-Identifier: MIT
// The input/output error that entering a folder raises when it cannot.

#include "support/in_out_error.h"

#include "platform/drive_paths.h"
#include "platform/status.h"

namespace vorlix {
namespace {

std::string Reason(int code) {
  switch (code) {
    case platform::kFileNotFound:
    case platform::kPathNotFound: return "the folder does not exist";
    case platform::kAccessDenied: return "access is denied";
    case platform::kInvalidDrive: return "the drive is not mapped";
    case platform::kDirectoryInvalid: return "it is not a folder";
    case platform::kNotReady: return "the drive is not ready";
    case platform::kIoDevice: return "the device reported an input/output error";
    default: {
      const std::string system_text = platform::SystemErrorText(code);
      return system_text.empty() ? "the folder cannot be opened" : system_text;
    }
  }
}

}  // namespace

EInOutError::EInOutError(int error_code, const std::string& path) : EInOutError(error_code, path, Reason(error_code)) {}

EInOutError::EInOutError(int error_code, const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot open the folder " + path + ": " + reason + " (I/O error " +
                         std::to_string(error_code) + ")."),
      ErrorCode(error_code) {}

void ChDir(const std::string& path) {
  if (const int status = platform::SetCurrentDir(path); status != platform::kOk) throw EInOutError(status, path);
}

}  // namespace vorlix
