// SPDX-License-Identifier: MIT
// Storing a folder slot's place, and bringing it into view: what a slot load,
// a slot save, each folder of a Kill All run and the storing of found browser
// caches share.
#pragma once

#include <cstddef>
#include <string>

#include "actions/main_view.h"
#include "cleaning/cleaning_plan.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"

namespace vorlix {

// Stores a drive letter (lower case, as the drive box reports it) and a full
// DOS folder path as the slot's place, and the folder as its hint, in the
// settings and on its button. A failed write throws ERegFileError; values
// written before it stay written and the button's hint is left unchanged.
void StoreSlotFolder(std::size_t slot_index, char drive, const std::string& folder, SlotHints& hints,
                     TRegFile& reg_file1);

// Points the drive box and the folder tree at the folder (its own drive
// letter wins over the stored drive) and shows the folder text as stored in
// the status bar. Throws EInOutError when the folder cannot be entered.
void ShowSlotFolder(const SlotPlace& target, FolderView& view);

}  // namespace vorlix
