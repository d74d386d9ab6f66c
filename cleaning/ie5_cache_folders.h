// SPDX-License-Identifier: MIT
// Finds Internet Explorer 5's cache folders beside a start folder that is
// missing, and stores them as the IE buttons' folders.
#pragma once

#include <string>

#include "settings/reg_files.h"

namespace vorlix {

// Searches the folder part of `start_folder` for folders whose names hold no
// dot, in the order the folder search returns them, and writes the first
// eight as IE buttons 1 to 8 (folder, then hint) through `reg_file1`;
// returns how many qualified (all of them, also beyond the eighth).
int DetectCacheFolders(const std::string& start_folder, TRegFile& reg_file1);

}  // namespace vorlix
