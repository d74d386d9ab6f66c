// SPDX-License-Identifier: MIT
// The browsers command's names for browsers: a browser's name as the cache
// finder gives it, in any letter case, or that name without its packaging
// ("chromium" for "Chromium", "Chromium (Snap)" and "Chromium (Flatpak)").
#pragma once

#include <string_view>

namespace vorlix::clean_tool {

// Whether `word` names the browser `browser` ("Chromium (Snap)").
bool NamesBrowser(std::string_view word, std::string_view browser);

// Whether `word` names any browser the cache finder knows.
bool IsBrowserName(std::string_view word);

}  // namespace vorlix::clean_tool
