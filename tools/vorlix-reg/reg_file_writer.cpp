// SPDX-License-Identifier: MIT

#include "tools/vorlix-reg/reg_file_writer.h"

#include <cstdio>

#include "tools/vorlix-reg/key_names.h"
#include "tools/vorlix-reg/value_text.h"

namespace vorlix::reg_tool {
namespace {

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// A REG_SZ that reads back exactly from a quoted text: one NUL, at the end,
// and no control characters, which would break the line.
bool FitsQuotedText(std::string_view data) {
  if (data.empty() || data.back() != '\0') return false;
  data.remove_suffix(1);
  for (const char c : data) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
  }
  return true;
}

std::string ValueLine(const platform::RegistryValue& value) {
  std::string line = value.name.empty() ? "@" : QuotedRegText(value.name);
  line += '=';
  if (value.type == platform::kRegSz && FitsQuotedText(value.data)) {
    line += QuotedRegText(std::string_view(value.data).substr(0, value.data.size() - 1));
  } else if (value.type == platform::kRegDword && value.data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", DwordValue(value.data));
    line += text;
  } else if (value.type == platform::kRegBinary) {
    line += "hex:" + FormatHexList(value.data);
  } else {
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
    line += prefix + FormatHexList(value.data);
  }
  return line;
}

}  // namespace

std::string QuotedRegText(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

void WriteKeyTree(platform::RegistryStore& store, platform::RegistryRoot root,
                  platform::RegistryKey key, const std::string& path, std::ostream& out) {
  const std::string name = FormatKeyName(root, path);
  if (HasLineBreak(name)) throw ToolError("cannot export the key \"" + name + "\": its name holds a line break");
  out << "\n[" << name << "]\n";
  for (const platform::RegistryValue& value : store.Values(key)) {
    if (HasLineBreak(value.name)) {
      throw ToolError("cannot export the value \"" + value.name + "\" of " + name +
                      ": its name holds a line break");
    }
    out << ValueLine(value) << '\n';
  }
  for (const std::string& subkey : store.SubkeyNames(key)) {
    platform::RegistryKey child;
    store.OpenKey(root, path + "\\" + subkey, child);
    WriteKeyTree(store, root, child, path.empty() ? subkey : path + "\\" + subkey, out);
  }
}

}  // namespace vorlix::reg_tool
