// Drive letters for tests: c: maps to "/" as on a first start, further letters
// map to temporary folders.
#pragma once

#include <string>

namespace vorlix::test {

// Starts the drive layer afresh: only the default drives, and no remembered
// current directories.
void ResetDrives();

// Maps a drive letter to a host folder (replacing an earlier mapping).
void MapDrive(char letter, const std::string& host_folder);

// "C:" followed by a host path: the DOS path of a host path on drive c.
std::string OnC(const std::string& host_path);

}  // namespace vorlix::test
