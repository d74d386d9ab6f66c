// SPDX-License-Identifier: MIT
// A record of each failed file operation with the system's error text, for a bug report.

#include "platform/file_log.h"

#include <glib.h>

namespace vorlix::platform {

void LogFileFailure(std::string_view operation, const std::string& path, int error_number) {
  g_log(kFileLogDomain, G_LOG_LEVEL_DEBUG, "%.*s %s: %s", static_cast<int>(operation.size()), operation.data(),
        path.c_str(), g_strerror(error_number));
}

int Logged(int status, std::string_view operation, const std::string& path, int error_number) {
  LogFileFailure(operation, path, error_number);
  return status;
}

}  // namespace vorlix::platform
