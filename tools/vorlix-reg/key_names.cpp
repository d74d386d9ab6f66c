// SPDX-License-Identifier: MIT

#include "tools/vorlix-reg/key_names.h"

#include "platform/ascii.h"

namespace vorlix::reg_tool {
namespace {

struct RootSpelling {
  std::string_view abbreviation;
  platform::RegistryRoot root;
};

constexpr RootSpelling kAbbreviations[] = {
    {"HKCR", platform::RegistryRoot::kClassesRoot}, {"HKCU", platform::RegistryRoot::kCurrentUser},
    {"HKLM", platform::RegistryRoot::kLocalMachine}, {"HKU", platform::RegistryRoot::kUsers},
    {"HKCC", platform::RegistryRoot::kCurrentConfig}, {"HKDD", platform::RegistryRoot::kDynData},
};

}  // namespace

KeyName ParseKeyName(std::string_view text) {
  const std::size_t slash = text.find('\\');
  const std::string_view root_text = text.substr(0, slash);
  std::string_view path = slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  for (const RootSpelling& spelling : kAbbreviations) {
    if (platform::EqualIgnoringAsciiCase(root_text, spelling.abbreviation) ||
        platform::EqualIgnoringAsciiCase(root_text, platform::RootName(spelling.root))) {
      return {spelling.root, std::string(path)};
    }
  }
  throw ToolError("unknown root key \"" + std::string(root_text) +
                  "\" (write HKEY_CURRENT_USER\\... or HKCU\\...)");
}

std::string FormatKeyName(platform::RegistryRoot root, std::string_view path) {
  std::string name(platform::RootName(root));
  if (!path.empty()) name.append("\\").append(path);
  return name;
}

}  // namespace vorlix::reg_tool
