// SPDX-License-Identifier: MIT
// Storing a folder slot's place, and bringing it into view.

#include "actions/slot_folder.h"

namespace vorlix {

void StoreSlotFolder(std::size_t slot_index, char drive, const std::string& folder, SlotHints& hints,
                     TRegFile& reg_file1) {
  const FolderSlot& slot = kFolderSlots[slot_index];
  reg_file1.WriteValue(slot.DriveValue(), std::string(1, drive));
  reg_file1.WriteValue(slot.FolderValue(), folder);
  reg_file1.WriteValue(slot.HintValue(), folder);
  hints.SetSlotHint(slot_index, folder);
}

void ShowSlotFolder(const SlotPlace& target, FolderView& view) {
  view.SetDriveBoxDrive(target.drive);
  view.SetTreeDrive(target.drive);
  view.SetTreeDirectory(target.folder);
  view.SetStatusText(target.folder);
}

}  // namespace vorlix
