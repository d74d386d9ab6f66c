// SPDX-License-Identifier: MIT
// Cleaning one folder as "Delete Cache" does, with figures that count the
// files themselves: list the folder with its identity, then delete or trash
// each listed file relative to the opened folder, through the cleaning core.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "cleaning/cleaning_plan.h"
#include "cleaning/left_files.h"
#include "platform/name_list.h"
#include "platform/trash.h"
#include "tools/vorlix-clean/progress.h"

namespace vorlix::clean_tool {

enum class ItemStatus {
  kDone,        // every listed file was tried
  kPreview,     // a dry run: nothing deleted
  kDeclined,    // --interactive and the answer was not yes
  kUnset,       // a user slot that is not set up: skipped, as Kill All does
  kNoFolder,    // no folder stored (an empty text): skipped, as Kill All does
  kNotEntered,  // the folder could not be entered: the run stops here unless --keep-going
  kProtected,   // a folder never cleaned without asking (home, system, ...): likewise
  kChanged,     // the folder changed between listing and deleting: nothing deleted
  kSwapped,     // the folder left its path during the run: the rest stay
  kStopped,     // interrupted: the rest stay
  kRunning,     // a cache folder of a browser that is running: left alone
};

const char* StatusName(ItemStatus status);

struct ItemResult {
  CleaningTarget target;
  ItemStatus status = ItemStatus::kDone;
  std::string error;   // why the folder could not be entered or is not cleaned
  std::string folder;  // the full DOS path that was entered
  std::string path;    // its Linux path
  std::uint64_t listed_files = 0;
  std::uint64_t listed_bytes = 0;
  std::uint64_t removed_files = 0;
  std::uint64_t removed_bytes = 0;
  platform::NameList failed;              // names that could not be removed
  LeftFiles left;                         // those files by the reason each stayed
  platform::TrashProblem unusable_trash;  // why the trash folder could not be used; error 0 when it could
  platform::NameList listed;              // the names listed, kept for a dry run only
};

// How a run treats each folder.
struct CleanMode {
  bool dry_run = false;
  // Asked before each folder with files when given; false skips the folder.
  std::function<bool(const ItemResult&)> ask;
  // Set by SIGINT: ends the run after the current file.
  const std::atomic<bool>* stop = nullptr;
  // Told of each file that could not be removed, at once.
  std::function<void(const ItemResult&, const std::string&)> on_failure;
};

// Lists the target's folder, `entered` (a DOS path, as EnterFolder gave it),
// and, unless a dry run, cleans it.
ItemResult CleanTarget(const CleaningTarget& target, const std::string& entered, const CleanMode& mode,
                       ProgressBar& progress);

// Only names and, when `count`, counts the entered folder (for list).
ItemResult CountTarget(const CleaningTarget& target, const std::string& entered, bool count);

}  // namespace vorlix::clean_tool
