// SPDX-License-Identifier: MIT
// history, restore, purge and schedule: the record of past trash runs, putting
// a run back, letting go of what was trashed long ago, and the cleaning timer.
// Each prints its answer on `out` (problems on standard error) and gives the
// exit status.
#pragma once

#include <ostream>

#include "tools/vorlix-clean/options.h"

namespace vorlix::clean_tool {

int HistoryCommand(const Options& options, std::ostream& out);
int RestoreCommand(const Options& options, std::ostream& out);
int PurgeCommand(const Options& options, std::ostream& out);
int ScheduleCommand(const Options& options, std::ostream& out);

}  // namespace vorlix::clean_tool
