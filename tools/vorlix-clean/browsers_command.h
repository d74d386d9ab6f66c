// SPDX-License-Identifier: MIT
// The browsers command: finds the browsers' cache sets and empties those of
// browsers that are not running, in one run with run's progress bar, report
// and exit statuses.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "cleaning/browser_caches.h"

#include "tools/vorlix-clean/options.h"
#include "tools/vorlix-clean/report.h"

namespace vorlix::clean_tool {

// Carries out browsers. `stop` is set by SIGINT. Each set of a running
// browser and each file that stays is told on standard error as it happens.
Report RunBrowsersCommand(const Options& options, const std::atomic<bool>& stop);

// The same run over the cache sets `wanted` takes.
Report RunBrowsersCleaning(const Options& options, const CacheSetFilter& wanted, const std::atomic<bool>& stop);

// Whether the browser is one of those named; every browser when none is.
bool Chosen(const std::string& browser, const std::vector<std::string>& names);

}  // namespace vorlix::clean_tool
