// SPDX-License-Identifier: MIT
// A folder slot's stored place, and bringing it into view: what a slot load
// and each folder of a Kill All run share.
#pragma once

#include <string>

#include "cleaning/main_view.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

struct SlotFolder {
  char drive;
  std::string folder;
};

// The slot's stored drive and folder, with the given reader's folder default.
// A drive value emptied outside the program counts as the default drive.
SlotFolder ReadSlotFolder(const FolderSlot& slot, FolderReader reader, TRegFile& reg_file1);

// Points the drive box and the folder tree at the folder (its own drive
// letter wins over the stored drive) and shows the folder text as stored in
// the status bar. Throws EInOutError when the folder cannot be entered.
void ShowSlotFolder(const SlotFolder& target, FolderView& view);

}  // namespace vorlix
