// SPDX-License-Identifier: MIT
// The main window's activation handler: loads the settings the window shows,
// finds the browser's cache folders when the stored start folder is missing,
// and brings the start folder into view.
#pragma once

#include <string>

#include "actions/main_view.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"

namespace vorlix {

// The address that the start-up message sends the user to.
inline constexpr const char* kSupportAddress = "https://support.example.com/vorlix";

// The message shown when the start folder cannot be brought into view.
std::string StartFolderMissingMessage();

// `reg_file1` is the program's settings key, `reg_file6` the browser's
// history-folder key.
void ActivateMainWindow(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file6);

// Writes the cache folders found beside a start folder as IE buttons 1 to 8;
// returns how many qualified (all of them, also beyond the eighth).
int DetectCacheFolders(const std::string& start_folder, TRegFile& reg_file1);

}  // namespace vorlix
