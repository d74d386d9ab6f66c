// SPDX-License-Identifier: MIT
// Reading the REGEDIT4 .reg text form into a list of changes, checked whole
// before any of them is made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_store.h"

namespace vorlix::reg_tool {

struct RegFileChange {
  enum class Kind { kCreateKey, kDeleteKey, kSetValue, kDeleteValue };
  Kind kind;
  platform::RegistryRoot root;
  std::string key;     // below the root
  std::string name{};  // the value's; empty for the default value
  std::uint32_t type = 0;
  std::string data{};
  int line = 0;
};

// The changes that `text` asks for, in file order. Lines may end in LF or
// CR LF; hex lists may go on over lines ending in a backslash. Throws ToolError
// "FILE:LINE: what is wrong" for the first line that is not understood.
std::vector<RegFileChange> ReadRegFile(std::string_view text, const std::string& file_name);

}  // namespace vorlix::reg_tool
