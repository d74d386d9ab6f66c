// SPDX-License-Identifier: MIT
// The Kill All selection: sixteen items, the fourteen folder slots in slot
// order, then the typed-URL list and the history folder, each with its check
// box in the selection dialog and its stored selection value. The dialog
// fills its boxes and stores them through these functions.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

struct KillAllItem {
  std::string_view check_box;        // "cb05"
  std::string_view selection_value;  // "Delete all 5 selected"
  const FolderSlot* slot;            // null for the typed-URL list and the history folder
  std::string_view fixed_caption;    // the caption of an item without a slot
};

// The items in the order the dialog lists them, OK stores them and the run
// processes them.
const std::array<KillAllItem, kKillAllItemCount>& KillAllItems();

struct KillAllBox {
  bool checked = false;
  std::string caption;
};

// What the dialog shows each time it opens: every stored selection (false
// when missing), then as each slot's caption the folder that the run cleans
// for it (with the run's defaults when missing: a box names what ticking it
// empties); the last two items keep their fixed captions.
std::array<KillAllBox, kKillAllItemCount> ReadKillAllBoxes(TRegFile& reg_file);

// OK: each item in order takes its box's state as its selection flag and as
// its stored value.
void StoreKillAllSelection(const std::array<bool, kKillAllItemCount>& checked, ProgramState& state,
                           TRegFile& reg_file);

}  // namespace vorlix
