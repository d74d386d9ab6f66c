// SPDX-License-Identifier: MIT
// "Delete Cache": empties the folder that the file list shows.
#pragma once

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "cleaning/left_files.h"

namespace vorlix {

// What the file list shows as it read it: the folder, its identity and the names in list order.
ListedFolder FileListing(const FolderView& view);

// Deletes every file of `listed` (what the file list showed when the caller
// took it), in list order, for good or into the trash as the "Use Recycle
// Bin" check box says, then empties the list when it still shows that folder. With
// the confirmation flag set it asks first and reports the bytes regained over
// drives c to q after; either way the flag is set again when it ends.
// Returns the files that stayed, by reason (permission denied, no trash ...);
// with the flag set, the status bar then says so after the report.
LeftFiles DeleteCache(ProgramState& state, CleaningView& view, const ListedFolder& listed);

}  // namespace vorlix
