// SPDX-License-Identifier: MIT
// Key names as a person writes them.

#include "tools/vorlix-reg/key_names.h"

#include <algorithm>

#include "platform/ascii.h"
#include "tools/vorlix-reg/value_text.h"

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

void CheckKeyPath(std::string_view path) {
  std::size_t depth = 0;
  while (!path.empty()) {
    const std::string_view name = path.substr(0, path.find('\\'));
    if (!name.empty()) {
      if (++depth > platform::kMaxKeyDepth) {
        throw ToolError("the key lies deeper than " + std::to_string(platform::kMaxKeyDepth) +
                        " levels below its root");
      }
      const std::string problem = platform::NameProblem(name);
      if (!problem.empty()) throw ToolError("the key name \"" + ShownText(name) + "\" " + problem);
    }
    path.remove_prefix(std::min(name.size() + 1, path.size()));
  }
}

}  // namespace

void CheckValueName(std::string_view name) {
  const std::string problem = platform::NameProblem(name);
  if (!problem.empty()) throw ToolError("the value name \"" + ShownText(name) + "\" " + problem);
}

KeyName ParseKeyName(std::string_view text) {
  const std::size_t slash = text.find('\\');
  const std::string_view root_text = text.substr(0, slash);
  std::string_view path = slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  for (const RootSpelling& spelling : kAbbreviations) {
    if (platform::EqualIgnoringAsciiCase(root_text, spelling.abbreviation) ||
        platform::EqualIgnoringAsciiCase(root_text, platform::RootName(spelling.root))) {
      CheckKeyPath(path);
      return {spelling.root, std::string(path)};
    }
  }
  throw ToolError("unknown root key \"" + ShownText(root_text) +
                  "\" (write HKEY_CURRENT_USER\\... or HKCU\\...)");
}

std::string FormatKeyName(platform::RegistryRoot root, std::string_view path) {
  std::string name(platform::RootName(root));
  if (!path.empty()) name.append("\\").append(path);
  return name;
}

}  // namespace vorlix::reg_tool
