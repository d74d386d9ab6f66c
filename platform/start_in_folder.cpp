// SPDX-License-Identifier: MIT
// The folder the program starts in.
#include "platform/start_in_folder.h"

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/drive_state.h"
#include "platform/xdg.h"

namespace vorlix::platform {

bool EnterStartInFolder() {
  const std::string folder = CacheHome();
  if (InsideMissingHome(folder)) return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || chdir(folder.c_str()) != 0) return false;
  // The current directories start over from the folder just entered.
  CurrentDriveState() = DriveState{};
  return true;
}

}  // namespace vorlix::platform
