// SPDX-License-Identifier: MIT
// The profiles a Mozilla browser lists in its profiles.ini.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

struct ListedProfile {
  std::string path;       // Path= as written
  bool relative = false;  // IsRelative=1: the path is below the profiles folder
};

// The [ProfileN] sections that name a path, in file order.
std::vector<ListedProfile> ParseProfilesIni(std::string_view text);

}  // namespace vorlix
