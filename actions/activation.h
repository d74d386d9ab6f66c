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

}  // namespace vorlix
