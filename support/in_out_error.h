// SPDX-License-Identifier: MIT
// The input/output error that entering a folder raises when it cannot.
#pragma once

#include <stdexcept>
#include <string>

namespace vorlix {

class EInOutError : public std::runtime_error {
 public:
  EInOutError(int error_code, const std::string& path);
  // With the reason told in words of its own ("/a has no folder b").
  EInOutError(int error_code, const std::string& path, const std::string& reason);
  int ErrorCode;  // the platform status code
};

// Makes a folder the current directory (a bare "D:" selects that drive's own
// current directory); raises EInOutError when it cannot.
void ChDir(const std::string& path);

}  // namespace vorlix
