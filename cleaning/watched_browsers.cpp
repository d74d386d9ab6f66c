// SPDX-License-Identifier: MIT
// Which browsers the browser-close watcher watches.
#include "cleaning/watched_browsers.h"

#include <algorithm>

#include "cleaning/browser_cache_table.h"

namespace vorlix {

bool IsWatchedBrowser(std::string_view name) {
  const std::span<const BrowserRow> table = BrowserTable();
  const auto row = std::find_if(table.begin(), table.end(), [&](const BrowserRow& each) { return each.name == name; });
  return row != table.end() && MarksItsRuns(row->family);
}

}  // namespace vorlix
