// SPDX-License-Identifier: MIT
// What the drive layer remembers for a process: the drive table read from the
// dosdevices folder and the current directory of each drive. It is reached
// through one installed object, so a test starts from a fresh one instead of
// forgetting a global by hand.
#pragma once

#include <sys/stat.h>

#include <array>
#include <optional>
#include <string>

namespace vorlix::platform {

// The drive links, re-read whenever the dosdevices folder changes, so a link
// that a user adds or removes while the program runs counts at once.
struct DriveTable {
  std::string dir;
  struct stat stamp {};
  bool loaded = false;
  std::array<std::optional<std::string>, 26> roots;
};

// The current directory of each drive (empty: its root) and the current drive;
// taken from the process's real directory when first needed.
struct CurrentDirs {
  bool ready = false;
  char drive = 'C';
  std::array<std::string, 26> dirs;
};

struct DriveState {
  DriveTable table;
  CurrentDirs current;
};

// The installed state; the process's own until another is installed.
DriveState& CurrentDriveState();
// Installs a state (nullptr goes back to the process's own). The caller keeps
// it alive while it is installed.
void InstallDriveState(DriveState* state);

}  // namespace vorlix::platform
