// SPDX-License-Identifier: MIT
// The folders the benchmark works in, and the files it fills them with. HOME
// and the XDG folders point into a private folder for the whole run, so the
// benchmark never fills the user's trash or settings; everything it makes is
// removed when it ends.
#pragma once

#include <cstddef>
#include <string>

namespace vorlix::bench {

// Where a comparison runs: a tmpfs shows the programs' own work, the disk
// adds what every program waits for there.
enum class Place { kTmpfs, kDisk };
const char* PlaceName(Place place);

// A fresh, empty folder of that name below the benchmark's private root
// (the temporary folder), or below its own folder on a place.
std::string ScratchDir(const std::string& name);
std::string ScratchDir(Place place, const std::string& name);

enum class FileSizes {
  kTiny,   // 11 bytes each
  kMixed,  // 1 byte to 64 KiB, the same size for the same index every time
};
const char* SizesName(FileSizes sizes);

// Creates `count` files named entryN.tmp in a folder.
void MakeFiles(const std::string& dir, int count, FileSizes sizes = FileSizes::kTiny);

// The entries left in a folder.
std::size_t EntriesIn(const std::string& dir);

// Before each measured step: an empty trash, and no writes of the set-up
// still pending that the step would pay for.
void SettleDisk();

// A bare loop of g_file_trash over a folder's regular files: the baseline of
// every trash figure.
void BareTrashLoop(const std::string& dir);

}  // namespace vorlix::bench
