// SPDX-License-Identifier: MIT

#include "actions/delete_method.h"

#include <string>

#include "settings/setting_values.h"

namespace vorlix {

DeleteMethodTicks LoadDeleteMethods(ProgramState& state, TRegFile& reg_file) {
  DeleteMethodTicks ticks{};
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    state.use_recycle[i] = ReadFlag(reg_file, std::string(kFolderSlots[i].use_recycle_value));
    ticks[i] = state.use_recycle[i];
  }
  return ticks;
}

void SaveDeleteMethods(const DeleteMethodTicks& ticks, ProgramState& state, TRegFile& reg_file) {
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    state.use_recycle[i] = ticks[i];
    reg_file.WriteValue(std::string(kFolderSlots[i].use_recycle_value), ticks[i]);
  }
}

}  // namespace vorlix
