// SPDX-License-Identifier: MIT
// The Delete Method dialog's rows.

#include "actions/delete_method.h"

#include <string>

#include "settings/setting_values.h"

namespace vorlix {

void LoadUseRecycleFlags(ProgramState& state, TRegFile& reg_file) { state.use_recycle = ReadRecycleFlags(reg_file); }

DeleteMethodTicks LoadDeleteMethods(ProgramState& state, TRegFile& reg_file) {
  LoadUseRecycleFlags(state, reg_file);
  return state.use_recycle;
}

void SaveDeleteMethods(const DeleteMethodTicks& ticks, ProgramState& state, TRegFile& reg_file) {
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    state.use_recycle[i] = ticks[i];
    reg_file.WriteValue(std::string(kFolderSlots[i].use_recycle_value), ticks[i]);
  }
}

}  // namespace vorlix
