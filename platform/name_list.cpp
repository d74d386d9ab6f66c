// SPDX-License-Identifier: MIT
// A list of entry names packed into one buffer.

#include "platform/name_list.h"

#include <algorithm>
#include <limits>

#include "platform/ascii.h"

namespace vorlix::platform {

NameList::NameList(std::initializer_list<std::string_view> names) {
  for (const std::string_view name : names) push_back(name);
}

NameList::NameList(const std::vector<std::string>& names) {
  for (const std::string& name : names) push_back(name);
}

bool NameList::push_back(std::string_view name) {
  if (chars_.size() + name.size() + 1 > std::numeric_limits<std::uint32_t>::max()) return false;
  starts_.push_back(static_cast<std::uint32_t>(chars_.size()));
  chars_.insert(chars_.end(), name.begin(), name.end());
  chars_.push_back('\0');
  return true;
}

void NameList::clear() {
  chars_ = {};
  starts_ = {};
}

void NameList::SortIgnoringAsciiCase() {
  // The names end in NUL, which is below every byte, so a walk to the first
  // difference also puts a name before the longer names it begins.
  const char* chars = chars_.data();
  std::sort(starts_.begin(), starts_.end(), [chars](std::uint32_t a, std::uint32_t b) {
    const auto* x = reinterpret_cast<const unsigned char*>(chars + a);
    const auto* y = reinterpret_cast<const unsigned char*>(chars + b);
    while (*x != 0 && AsciiLower(static_cast<char>(*x)) == AsciiLower(static_cast<char>(*y))) {
      ++x;
      ++y;
    }
    return static_cast<unsigned char>(AsciiLower(static_cast<char>(*x))) <
           static_cast<unsigned char>(AsciiLower(static_cast<char>(*y)));
  });
}

bool operator==(const NameList& a, const NameList& b) { return std::equal(a.begin(), a.end(), b.begin(), b.end()); }

}  // namespace vorlix::platform
