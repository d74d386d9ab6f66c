// SPDX-License-Identifier: MIT
// Reading the REGEDIT4 .reg text form as a stream of changes, one at a time,
// so that memory stays bounded whatever the size of the file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_store.h"
#include "tools/vorlix-reg/key_names.h"

namespace vorlix::reg_tool {

// The longest line read (and the longest hex list, over all the lines it goes
// on over), and the most data one value may carry; longer ones are refused.
// A value of kMaxValueData bytes written as one hex list fits on one line.
inline constexpr std::size_t kMaxLineLength = 4 << 20;
inline constexpr std::size_t kMaxValueData = 1 << 20;

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

// Reads the changes of an open .reg file in file order. Lines may end in LF or
// CR LF; hex lists may go on over lines ending in a backslash. Next throws
// ToolError "FILE:LINE: what is wrong" for the first line that is not
// understood, and ToolError for a read error.
class RegFileReader {
 public:
  RegFileReader(std::FILE* in, std::string file_name);
  // The next change; nothing at the end of the file.
  std::optional<RegFileChange> Next();

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  bool NextLine();
  RegFileChange ReadHeader(std::string_view line);
  std::string ReadQuoted(std::string_view& rest);
  std::string ReadHexData(std::string_view list);
  RegFileChange ReadValue(std::string_view line);
  void CheckName(std::string_view name) const;

  std::FILE* in_;
  std::string file_name_;
  std::string line_;  // the current line, without its end
  std::vector<char> buffer_;
  std::size_t buffered_ = 0;
  std::size_t taken_ = 0;
  int line_number_ = 0;
  bool started_ = false;
  std::optional<KeyName> current_key_;
};

}  // namespace vorlix::reg_tool
