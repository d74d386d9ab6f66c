// SPDX-License-Identifier: MIT
// A folder slot's stored place, storing it, and bringing it into view.

#include "actions/slot_folder.h"

#include "settings/setting_values.h"

namespace vorlix {

SlotFolder ReadSlotFolder(const FolderSlot& slot, FolderReader reader, TRegFile& reg_file1) {
  const std::string drive_text = ReadText(reg_file1, slot.DriveValue(), kDriveDefault);
  const char drive = drive_text.empty() ? kDriveDefault.front() : drive_text.front();
  return {drive, ReadText(reg_file1, slot.FolderValue(), slot.DefaultFolder(reader))};
}

void StoreSlotFolder(std::size_t slot_index, char drive, const std::string& folder, SlotHints& hints,
                     TRegFile& reg_file1) {
  const FolderSlot& slot = kFolderSlots[slot_index];
  reg_file1.WriteValue(slot.DriveValue(), std::string(1, drive));
  reg_file1.WriteValue(slot.FolderValue(), folder);
  reg_file1.WriteValue(slot.HintValue(), folder);
  hints.SetSlotHint(slot_index, folder);
}

void ShowSlotFolder(const SlotFolder& target, FolderView& view) {
  view.SetDriveBoxDrive(target.drive);
  view.SetTreeDrive(target.drive);
  view.SetTreeDirectory(target.folder);
  view.SetStatusText(target.folder);
}

}  // namespace vorlix
