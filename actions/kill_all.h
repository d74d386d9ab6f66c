// SPDX-License-Identifier: MIT
// "Kill All ": cleans every folder selected in the Kill All dialog, the
// typed-URL list and the history folder in one run, with one report.
#pragma once

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"

namespace vorlix {

// Shows the selection dialog; after OK cleans, in item order, each selected
// IE slot and each selected user slot that is set up (from the main window's
// `reg_file1`, each with its own use-recycle flag), deletes the typed-URL key
// through `reg_file2`, cleans the history folder with the check box as it
// stands, and reports the bytes regained over the whole run; the files that
// stayed, counted by reason over all folders, then go to the status bar. The
// folders, their order and methods come from the cleaning plan that
// vorlix-clean builds too, and are cleaned by the same run. A folder that
// cannot be entered, or whose own name is there only in another letter case,
// ends the run with its EInOutError; a folder that is never cleaned without
// asking (the home folder, a system folder, ...) with EProtectedFolder; a
// failing settings store with its ERegFileError. The confirmation flag is set
// again either way.
void KillAll(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file2);

}  // namespace vorlix
