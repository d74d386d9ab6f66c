// SPDX-License-Identifier: MIT
// Key names as a person writes them: "HKEY_CURRENT_USER\Software\..." or "HKCU\...".
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "store/registry_store.h"

namespace vorlix::reg_tool {

// A failure to report on one line and end with a non-zero exit code.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct KeyName {
  platform::RegistryRoot root;
  std::string path;  // below the root, without leading or trailing backslashes
};

// Throws ToolError for an unknown root, and for a key whose names or depth
// break the registry's limits (kMaxNameLength, kMaxKeyDepth, no control characters).
KeyName ParseKeyName(std::string_view text);
// Throws ToolError for a value name that breaks the registry's limits.
void CheckValueName(std::string_view name);
// "HKEY_CURRENT_USER\Software\Tolvex", or the bare root name.
std::string FormatKeyName(platform::RegistryRoot root, std::string_view path);

}  // namespace vorlix::reg_tool
