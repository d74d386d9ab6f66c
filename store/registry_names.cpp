// SPDX-License-Identifier: MIT
// The registry's roots and its rules for key and value names.

#include <algorithm>
#include <iterator>

#include "store/registry_store.h"

namespace vorlix::platform {

std::int64_t RootId(RegistryRoot root) {
  const auto* found = std::find(std::begin(kRegistryRoots), std::end(kRegistryRoots), root);
  return found - std::begin(kRegistryRoots) + 1;
}

std::string NameProblem(std::string_view name) {
  std::size_t characters = 0;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20) return "holds a control character";
    characters += (byte & 0xC0) != 0x80;  // not a UTF-8 continuation byte
  }
  if (characters > kMaxNameLength)
    return "is longer than " + std::to_string(kMaxNameLength) + " characters";
  return {};
}

std::string_view RootName(RegistryRoot root) {
  constexpr std::string_view kNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                         "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                         "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
  return kNames[RootId(root) - 1];
}

}  // namespace vorlix::platform
