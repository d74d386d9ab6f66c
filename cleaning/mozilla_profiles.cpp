// SPDX-License-Identifier: MIT
// The profiles a Mozilla browser lists in its profiles.ini.
#include "cleaning/mozilla_profiles.h"

namespace vorlix {
namespace {

std::string_view TrimLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return line;
}

}  // namespace

std::vector<ListedProfile> ParseProfilesIni(std::string_view text) {
  std::vector<ListedProfile> profiles;
  bool in_profile = false;
  ListedProfile current;
  const auto finish = [&] {
    if (in_profile && !current.path.empty()) profiles.push_back(current);
    current = {};
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = TrimLine(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.starts_with('[')) {
      finish();
      in_profile = line.starts_with("[Profile");
    } else if (in_profile && line.starts_with("Path=")) {
      current.path = std::string(line.substr(5));
    } else if (in_profile && line.starts_with("IsRelative=")) {
      current.relative = line.substr(11) == "1";
    }
  }
  finish();
  return profiles;
}

}  // namespace vorlix
