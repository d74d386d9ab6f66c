// SPDX-License-Identifier: MIT
// The Delete Method dialog's rows: one per folder slot in slot order, each
// with its slot's check box and its use-recycle value (kFolderSlots holds both).
#pragma once

#include <array>

#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

using DeleteMethodTicks = std::array<bool, kFolderSlots.size()>;

// Reads the fourteen stored use-recycle flags (false when missing) into the
// program's flags, in slot order.
void LoadUseRecycleFlags(ProgramState& state, TRegFile& reg_file);

// Each showing: every row reads its stored flag (false when missing) into the
// program's use-recycle flag, row by row, and the boxes show them.
DeleteMethodTicks LoadDeleteMethods(ProgramState& state, TRegFile& reg_file);

// OK: row by row, the box's state becomes the use-recycle flag and is stored,
// all fourteen values whether changed or not.
void SaveDeleteMethods(const DeleteMethodTicks& ticks, ProgramState& state, TRegFile& reg_file);

}  // namespace vorlix
