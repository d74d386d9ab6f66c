// SPDX-License-Identifier: MIT
// The fourteen folder buttons.

#include "actions/folder_slot_buttons.h"

#include <string>

#include "actions/slot_folder.h"
#include "settings/settings_catalogue.h"
#include "support/message_text.h"

namespace vorlix {
namespace {

void SlotLoad(std::size_t slot_index, const ProgramState& state, MainView& view, TRegFile& reg_file1) {
  const FolderSlot& slot = kFolderSlots[slot_index];
  if (view.SlotHint(slot_index).find(kUnsetMark) != std::string::npos) {
    view.SetStatusText(kNotConfiguredText);
    return;
  }
  ShowSlotFolder(ReadSlotPlace(slot, FolderReader::kSlotLoad, reg_file1), view);
  view.SetRecycleChecked(state.use_recycle[slot_index]);
}

void SlotSave(std::size_t slot_index, MainView& view, TRegFile& reg_file1) {
  const FolderSlot& slot = kFolderSlots[slot_index];
  const std::string question =
      JoinLines({"You are about to save the following directory as the default for this button:", view.TreeDirectory(),
                 "Is this what you want to do? "});
  if (!view.AskConfirmation(question)) return;
  const char drive = view.DriveBoxDrive();
  view.SetTreeDrive(drive);
  const std::string folder = view.TreeDirectory();
  StoreSlotFolder(slot_index, drive, folder, view, reg_file1);
  view.ShowInformation(std::string(slot.prefix) + " Settings Saved.");
}

}  // namespace

void SlotButtonMouseDown(std::size_t slot, SlotMouseButton button, const ProgramState& state, MainView& view,
                         TRegFile& reg_file1) {
  switch (button) {
    case SlotMouseButton::kLeft: SlotLoad(slot, state, view, reg_file1); break;
    case SlotMouseButton::kRight: SlotSave(slot, view, reg_file1); break;
    case SlotMouseButton::kMiddle: break;
  }
}

void SlotButtonMouseUp(std::size_t slot_index, bool shift_alone, MainView& view, TRegFile& reg_file1) {
  if (!shift_alone) return;
  const FolderSlot& slot = kFolderSlots[slot_index];
  if (!view.AskConfirmation(JoinLines(
          {"You are about to clear this button and set back to an unused state.", "Is this what you want to do? "}))) {
    return;
  }
  if (reg_file1.ValueExists("", slot.DriveValue())) {
    reg_file1.DeleteValue("", slot.DriveValue());
    reg_file1.DeleteValue("", slot.FolderValue());
    reg_file1.DeleteValue("", slot.HintValue());
    view.SetSlotHint(slot_index, std::string(slot.hint_after_clear));
  }
  view.ShowInformation(std::string(slot.prefix) + " Settings Removed.");
}

}  // namespace vorlix
