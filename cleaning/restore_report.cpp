// SPDX-License-Identifier: MIT
// What a restore tells the user.

#include "cleaning/restore_report.h"

#include <cstring>

#include "settings/settings_catalogue.h"
#include "support/text_utils.h"

namespace vorlix {

std::string StayedReason(const RestoredFile& file) {
  switch (file.outcome) {
    case RestoreOutcome::kRestored: return {};
    case RestoreOutcome::kOccupied: return "another file has that name there now";
    case RestoreOutcome::kFolderMissing: return "its folder no longer exists";
    case RestoreOutcome::kFolderReplaced: return "its folder is no longer the one it was cleaned from";
    case RestoreOutcome::kNotInTrash: return "it is no longer in the trash";
    case RestoreOutcome::kFailed: break;
  }
  return std::strerror(file.error);
}

RestoreTally TallyRestore(const std::vector<RestoredFile>& files) {
  RestoreTally tally;
  for (const RestoredFile& file : files) {
    if (file.outcome == RestoreOutcome::kRestored) {
      ++tally.restored;
    } else if (file.outcome == RestoreOutcome::kNotInTrash) {
      ++tally.gone;
    } else {
      tally.stayed.push_back(&file);
    }
  }
  return tally;
}

std::vector<std::string> RestoreCounts(const RestoreTally& tally, bool dry_run) {
  const std::size_t restored = tally.restored;
  std::vector<std::string> counts;
  std::string put_back = Counted(restored, "file");
  put_back.append(dry_run ? " would be" : restored == 1 ? " was" : " were")
      .append(" put back where ")
      .append(restored == 1 ? "it" : "they")
      .append(" came from");
  counts.push_back(std::move(put_back));
  if (tally.gone > 0) {
    counts.push_back(
        Counted(tally.gone, "file").append(tally.gone == 1 ? " was" : " were").append(" no longer in the trash"));
  }
  if (const std::size_t stayed = tally.stayed.size(); stayed > 0) {
    const char* const verb = dry_run ? " would stay" : stayed == 1 ? " stays" : " stay";
    counts.push_back(Counted(stayed, "file").append(verb).append(" in the trash"));
  }
  return counts;
}

std::string RestoreReport(const std::vector<RestoredFile>& files) {
  const RestoreTally tally = TallyRestore(files);
  const std::vector<const RestoredFile*>& stayed = tally.stayed;
  const std::string line_break(kLineBreak);
  const std::vector<std::string> counts = RestoreCounts(tally, false);
  std::string text;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    // The files that stay are named below their count.
    const bool names_follow = i + 1 == counts.size() && !stayed.empty();
    text += (i > 0 ? line_break : std::string()) + counts[i] + (names_follow ? ":" : ".");
  }
  if (!stayed.empty()) {
    for (std::size_t i = 0; i < stayed.size() && i < kStayedNamed; ++i) {
      text += line_break + stayed[i]->path + ": " + StayedReason(*stayed[i]);
    }
    if (stayed.size() > kStayedNamed) {
      text += line_break + "and " + std::to_string(stayed.size() - kStayedNamed) + " more.";
    }
  }
  return text;
}

}  // namespace vorlix
