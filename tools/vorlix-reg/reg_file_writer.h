// SPDX-License-Identifier: MIT
// Writing keys in the REGEDIT4 .reg text form.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "store/registry_store.h"

namespace vorlix::reg_tool {

inline constexpr std::string_view kRegFileHeader = "REGEDIT4";

// `text` in double quotes, with backslashes and quotes escaped.
std::string QuotedRegText(std::string_view text);

// Writes the open key `key` (at `path` below `root`) and every key below it:
// a blank line, the key's [header], one line per value. Values that a quoted
// text cannot carry exactly are written as hex lists, so nothing is lost.
// Throws ToolError for a key or value name that an import would refuse (a
// control character, a line break among them, too long, too deep).
void WriteKeyTree(platform::RegistryStore& store, platform::RegistryRoot root,
                  platform::RegistryKey key, const std::string& path, std::ostream& out);

}  // namespace vorlix::reg_tool
