// SPDX-License-Identifier: MIT
// One round of the race in which a folder whose listed files are being
// deleted is replaced by a link to another folder holding the same names.
#pragma once

namespace vorlix::test {

struct SwapRound {
  bool held = false;     // every file of the other folder is still there
  bool stopped = false;  // the run ended saying the folder was moved or replaced
  int left = 0;          // listed files still in the moved-away folder
};

// When the swap comes: at any moment once the first file has gone, or
// between the first and the second file, with the run held until it is done.
enum class SwapTiming { kRace, kAfterFirstFile };

// Lists a folder of `files` files, starts deleting them (into the trash when
// `recycle` is true), and as soon as the first has gone moves the folder away
// and puts a link to the other folder in its place.
SwapRound RunSwapRound(bool recycle, int files, SwapTiming timing = SwapTiming::kRace);

}  // namespace vorlix::test
