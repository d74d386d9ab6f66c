// SPDX-License-Identifier: MIT
// What a restore tells the user: how many files came back, and each file that
// stayed in the trash with the reason.
#pragma once

#include <string>
#include <vector>

#include "cleaning/run_record.h"

namespace vorlix {

// At most this many files that stayed are named one by one.
inline constexpr std::size_t kStayedNamed = 12;

// How a restore's files ended: back at their paths, no longer in the trash,
// or staying there (each of these kept, for naming).
struct RestoreTally {
  std::size_t restored = 0;
  std::size_t gone = 0;
  std::vector<const RestoredFile*> stayed;
};
RestoreTally TallyRestore(const std::vector<RestoredFile>& files);

// A restore's counts as sentences without their ending: "2 files were put
// back where they came from", then, when there are such files, "1 file was no
// longer in the trash" and "3 files stay in the trash" (on a dry run "would be
// put back", "would stay").
std::vector<std::string> RestoreCounts(const RestoreTally& tally, bool dry_run);

// The report of a restore, lines broken as the program's messages are.
std::string RestoreReport(const std::vector<RestoredFile>& files);

// Why a file stayed in the trash; empty for one that came back.
std::string StayedReason(const RestoredFile& file);

}  // namespace vorlix
