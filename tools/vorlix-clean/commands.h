// SPDX-License-Identifier: MIT
// list, run and folder: each reads the settings store, does its work and
// builds the report with its exit status.
#pragma once

#include <atomic>
#include <string>

#include "tools/vorlix-clean/options.h"
#include "tools/vorlix-clean/report.h"

namespace vorlix::clean_tool {

inline constexpr int kExitDone = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = 3;   // a folder could not be entered, or the store read
inline constexpr int kExitInterrupted = 130;

// One line on standard error: "vorlix-clean: " and the text.
void Complain(const std::string& text);

// Raises the report's exit status to `exit_code`: 3 (something was skipped)
// outweighs 1 (some files stayed).
void Raise(Report& report, int exit_code);

// Carries out list, run or folder. `stop` is set by SIGINT. Messages about
// single files and folders go to standard error as they happen.
Report RunCleanCommand(const Options& options, const std::atomic<bool>& stop);

}  // namespace vorlix::clean_tool
