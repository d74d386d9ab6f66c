// SPDX-License-Identifier: MIT
// Writing keys in the REGEDIT4 .reg text form.

#include "tools/vorlix-reg/reg_file_writer.h"

#include <cstdio>
#include <vector>

#include "tools/vorlix-reg/key_names.h"
#include "tools/vorlix-reg/value_text.h"

namespace vorlix::reg_tool {
namespace {

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
  struct Pending {
    platform::RegistryKey key;
    std::string path;
  };
  // Depth first in name order, without recursion: a deep tree needs no deep stack.
  std::vector<Pending> pending{{key, path}};
  while (!pending.empty()) {
    const Pending next = std::move(pending.back());
    pending.pop_back();
    // Keys and names an import would refuse are not exported either.
    const std::string name = FormatKeyName(root, next.path);
    try {
      ParseKeyName(name);
    } catch (const ToolError& error) {
      throw ToolError("cannot export the key \"" + ShownText(name) + "\": " + error.what());
    }
    out << "\n[" << name << "]\n";
    for (const platform::RegistryValue& value : store.Values(next.key)) {
      const std::string problem = platform::NameProblem(value.name);
      if (!problem.empty()) {
        throw ToolError("cannot export the value \"" + ShownText(value.name) + "\" of " +
                        ShownText(name) + ": its name " + problem);
      }
      out << ValueLine(value) << '\n';
    }
    const std::vector<std::string> subkeys = store.SubkeyNames(next.key);
    for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey) {
      platform::RegistryKey child;
      store.OpenSubkey(next.key, *subkey, child);
      pending.push_back({child, next.path.empty() ? *subkey : next.path + "\\" + *subkey});
    }
  }
}

}  // namespace vorlix::reg_tool
