// SPDX-License-Identifier: MIT

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
