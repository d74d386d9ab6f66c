// SPDX-License-Identifier: MIT
// The browsers command's names for browsers.

#include "tools/vorlix-clean/browser_names.h"

#include <algorithm>

#include "cleaning/browser_cache_table.h"
#include "platform/ascii.h"

namespace vorlix::clean_tool {

bool NamesBrowser(std::string_view word, std::string_view browser) {
  if (platform::EqualIgnoringAsciiCase(word, browser)) return true;
  const std::size_t packaging = browser.find(" (");
  return packaging != std::string_view::npos && platform::EqualIgnoringAsciiCase(word, browser.substr(0, packaging));
}

bool IsBrowserName(std::string_view word) {
  const auto table = BrowserTable();
  return std::any_of(table.begin(), table.end(), [&](const BrowserRow& row) { return NamesBrowser(word, row.name); });
}

}  // namespace vorlix::clean_tool
