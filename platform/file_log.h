// SPDX-License-Identifier: MIT
// A record of each failed file operation with the system's error text, for a
// bug report. The records are GLib debug messages of the log domain
// "vorlix-files": off unless G_MESSAGES_DEBUG names that domain (or "all").
#pragma once

#include <string>
#include <string_view>

namespace vorlix::platform {

inline constexpr const char* kFileLogDomain = "vorlix-files";

// Records "OPERATION PATH: error text" for the error number.
void LogFileFailure(std::string_view operation, const std::string& path, int error_number);
// Records the failure and gives `status` back: `return Logged(status, ...);`.
int Logged(int status, std::string_view operation, const std::string& path, int error_number);

}  // namespace vorlix::platform
