// SPDX-License-Identifier: MIT
// The program-wide state that the main window's handlers and the dialogs share
// for the whole run. It starts as zero or empty.
#pragma once

#include <array>
#include <string>

namespace vorlix {

// The sixteen Kill All items: the fourteen folder slots in slot order, then these two.
inline constexpr std::size_t kKillAllTypedUrlsItem = 14;
inline constexpr std::size_t kKillAllHistoryItem = 15;

struct ProgramState {
  // When true, "Delete Cache" asks first and reports after; Kill All clears it
  // before each folder it cleans.
  bool confirm = false;
  // One per folder slot, in slot order (IE 1 to IE 8, U1 to U6).
  std::array<bool, 14> use_recycle{};
  // The browser's history folder, read at each activation of the main window.
  std::string history_folder;
  // The folder the activation handler brings into view.
  std::string start_folder;
  // The Kill All selection: the fourteen slots, the typed-URL list, the history folder.
  std::array<bool, 16> kill_all{};
  // The folder chosen in the copy dialog, ending in a path delimiter; empty until its first OK.
  std::string copy_destination;
};

}  // namespace vorlix
