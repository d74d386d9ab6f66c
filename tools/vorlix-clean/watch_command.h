// SPDX-License-Identifier: MIT
// The watch command: waits, without polling, for the browsers to close and
// empties a closed browser's caches with the browsers command's run, once it
// has stayed closed for the delay. It runs until `stop` is set (SIGINT,
// SIGTERM).
#pragma once

#include <atomic>
#include <ostream>

#include "tools/vorlix-clean/options.h"

namespace vorlix::clean_tool {

// One line per cleaning on `out` (one JSON object with --json, none with
// --quiet); problems on standard error. The exit status: 0 once stopped, 3
// when the folders cannot be watched at all.
int WatchCommand(const Options& options, const std::atomic<bool>& stop, std::ostream& out);

}  // namespace vorlix::clean_tool
