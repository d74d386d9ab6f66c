// SPDX-License-Identifier: MIT
// The program-wide state that the main window's handlers and the dialogs share
// for the whole run. It starts as zero or empty.
#pragma once

#include <string>

#include "cleaning/cleaning_plan.h"

namespace vorlix {

struct ProgramState {
  // When true, "Delete Cache" asks first and reports after; Kill All clears it
  // before each folder it cleans.
  bool confirm = false;
  // One per folder slot, in slot order (IE 1 to IE 8, U1 to U6).
  SlotFlags use_recycle{};
  // The browser's history folder, read at each activation of the main window.
  std::string history_folder;
  // The folder the activation handler brings into view.
  std::string start_folder;
  // The Kill All selection: the fourteen slots, the typed-URL list, the history folder.
  KillAllTicks kill_all{};
  // The folder chosen in the copy dialog, ending in a path delimiter; empty until its first OK.
  std::string copy_destination;
};

}  // namespace vorlix
