// SPDX-License-Identifier: MIT
// Stores chosen cache folders in the user buttons that are still free, each
// as a right-click save of that folder would store it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "actions/main_view.h"
#include "settings/reg_files.h"

namespace vorlix {

// The user buttons whose hint marks them unset, in order U1 to U6 (indexes
// into kFolderSlots). Buttons already set are never offered.
std::vector<std::size_t> FreeUserSlots(const SlotHints& hints);

struct CacheSlotPlan {
  struct Assignment {
    std::size_t slot;
    std::string folder;  // full DOS path
  };
  std::vector<Assignment> stored;     // the first folders, one per free button
  std::vector<std::string> left_out;  // the folders for which no button is free
};
CacheSlotPlan PlanCacheSlots(const std::vector<std::string>& dos_folders, const SlotHints& hints);

// Shows the plan in one Confirm box and, on Yes, stores each folder in its
// button and reports the buttons saved. Without a free button it only says
// so; without folders it does nothing. Returns true when folders were stored.
bool StoreCacheFolders(const std::vector<std::string>& dos_folders, SlotHints& hints, MessageBoxes& boxes,
                       TRegFile& reg_file1);

}  // namespace vorlix
