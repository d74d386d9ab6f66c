// SPDX-License-Identifier: MIT
// The Kill All selection.

#include "actions/kill_all_selection.h"

#include "settings/setting_values.h"

namespace vorlix {

const std::array<KillAllItem, kKillAllItemCount>& KillAllItems() {
  static const std::array<KillAllItem, kKillAllItemCount> items = [] {
    std::array<KillAllItem, kKillAllItemCount> built{};
    for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
      const FolderSlot& slot = kFolderSlots[i];
      built[i] = {slot.kill_all_check_box, slot.kill_all_value, &slot, {}};
    }
    built[kKillAllTypedUrlsItem] = {"cb11", kDeleteTypedUrlsValue, nullptr, "Delete Internet Explorer typed URL list"};
    built[kKillAllHistoryItem] = {"cb13", kDeleteHistoryValue, nullptr, "Internet Explorer History folder"};
    return built;
  }();
  return items;
}

std::array<KillAllBox, kKillAllItemCount> ReadKillAllBoxes(TRegFile& reg_file) {
  std::array<KillAllBox, kKillAllItemCount> boxes;
  const auto& items = KillAllItems();
  const KillAllTicks ticks = ReadKillAllTicks(reg_file);
  for (std::size_t i = 0; i < items.size(); ++i) boxes[i].checked = ticks[i];
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FolderSlot* slot = items[i].slot;
    boxes[i].caption = slot == nullptr ? std::string(items[i].fixed_caption)
                                       : ReadText(reg_file, slot->FolderValue(),
                                                  slot->DefaultFolder(FolderReader::kKillAll));
  }
  return boxes;
}

void StoreKillAllSelection(const std::array<bool, kKillAllItemCount>& checked, ProgramState& state,
                           TRegFile& reg_file) {
  const auto& items = KillAllItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    state.kill_all[i] = checked[i];
    reg_file.WriteValue(std::string(items[i].selection_value), checked[i]);
  }
}

}  // namespace vorlix
