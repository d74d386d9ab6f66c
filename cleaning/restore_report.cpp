// SPDX-License-Identifier: MIT
// What a restore tells the user.

#include "cleaning/restore_report.h"

#include <cstring>

#include "settings/settings_catalogue.h"

namespace vorlix {

std::string StayedReason(const RestoredFile& file) {
  switch (file.outcome) {
    case RestoreOutcome::kRestored: return {};
    case RestoreOutcome::kOccupied: return "another file has that name there now";
    case RestoreOutcome::kFolderMissing: return "its folder no longer exists";
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

std::string RestoreReport(const std::vector<RestoredFile>& files) {
  const auto [restored, gone, stayed] = TallyRestore(files);
  const std::string line_break(kLineBreak);
  std::string text = restored == 1 ? std::string("1 file was put back where it came from.")
                                    : std::to_string(restored) + " files were put back where they came from.";
  if (gone > 0) {
    text += line_break + std::to_string(gone) + (gone == 1 ? " file was" : " files were") +
            " no longer in the trash.";
  }
  if (!stayed.empty()) {
    text += line_break + std::to_string(stayed.size()) + (stayed.size() == 1 ? " file stays" : " files stay") +
            " in the trash:";
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
