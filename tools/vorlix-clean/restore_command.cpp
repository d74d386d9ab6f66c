// SPDX-License-Identifier: MIT
// restore: puts a recorded run's files back from the trash.

#include <iostream>

#include "cleaning/restore_report.h"
#include "cleaning/run_record.h"
#include "support/text_utils.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/report.h"
#include "tools/vorlix-clean/safety_commands.h"

namespace vorlix::clean_tool {
namespace {

const char* OutcomeName(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kRestored: return "restored";
    case RestoreOutcome::kOccupied: return "occupied";
    case RestoreOutcome::kFolderMissing: return "folder-missing";
    case RestoreOutcome::kNotInTrash: return "not-in-trash";
    case RestoreOutcome::kFailed: break;
  }
  return "failed";
}

bool Stays(const RestoredFile& file) {
  return file.outcome != RestoreOutcome::kRestored && file.outcome != RestoreOutcome::kNotInTrash;
}

struct Tally {
  std::size_t restored = 0;
  std::size_t gone = 0;  // no longer in the trash
  std::size_t stayed = 0;
};

// Counts the outcomes and names each file that stays on standard error.
Tally TallyFiles(const std::vector<RestoredFile>& files, bool dry_run) {
  Tally tally;
  for (const RestoredFile& file : files) {
    if (file.outcome == RestoreOutcome::kRestored) {
      ++tally.restored;
    } else if (file.outcome == RestoreOutcome::kNotInTrash) {
      ++tally.gone;
    } else {
      ++tally.stayed;
      std::cerr << "vorlix-clean: " << PrintableText(file.path) << (dry_run ? " would stay" : " stays")
                << " in the trash: " << StayedReason(file) << '\n';
    }
  }
  return tally;
}

void WriteRestoreJson(const std::string& id, const std::vector<RestoredFile>& files, const Tally& tally,
                      const Options& options, int exit_code, std::ostream& out) {
  out << "{\"schema\":1,\"command\":\"restore\",\"dry_run\":" << (options.dry_run ? "true" : "false")
      << ",\"exit_code\":" << exit_code << ",\"run\":" << (id.empty() ? "null" : JsonString(id))
      << ",\"restored\":" << tally.restored << ",\"not_in_trash\":" << tally.gone << ",\"stayed\":[";
  bool first = true;
  for (const RestoredFile& file : files) {
    if (!Stays(file)) continue;
    out << (first ? "" : ",") << "{\"outcome\":\"" << OutcomeName(file.outcome) << '"';
    WriteJsonText("path", file.path, out);
    out << ",\"reason\":" << JsonString(StayedReason(file)) << '}';
    first = false;
  }
  out << "]}\n";
}

void WriteRestoreText(const Tally& tally, bool dry_run, std::ostream& out) {
  const std::size_t restored = tally.restored;
  out << Counted(restored, "file") << (dry_run ? " would be" : (restored == 1 ? " was" : " were"))
      << " put back where " << (restored == 1 ? "it" : "they") << " came from.\n";
  if (tally.gone > 0) {
    out << Counted(tally.gone, "file") << (tally.gone == 1 ? " was" : " were") << " no longer in the trash.\n";
  }
  if (tally.stayed > 0) {
    out << Counted(tally.stayed, "file") << (dry_run ? " would stay" : (tally.stayed == 1 ? " stays" : " stay"))
        << " in the trash.\n";
  }
}

}  // namespace

int RestoreCommand(const Options& options, std::ostream& out) {
  std::string id = options.run_id;
  std::optional<std::vector<RestoredFile>> files;
  if (id.empty()) {
    const std::vector<RecordedRun> runs = ListRecordedRuns();
    if (!runs.empty()) id = runs.front().id;
  }
  if (!id.empty()) files = RestoreRun(id, options.dry_run);
  if (!files) {
    std::cerr << "vorlix-clean: "
              << (options.run_id.empty() ? std::string("no cleaning into the trash is recorded")
                                         : "no run " + PrintableText(options.run_id) +
                                               " is recorded (vorlix-clean history lists them)")
              << '\n';
    if (options.json) WriteRestoreJson(options.run_id, {}, Tally{}, options, kExitStopped, out);
    return kExitStopped;
  }
  const Tally tally = TallyFiles(*files, options.dry_run);
  const int exit_code = tally.stayed > 0 ? kExitSomeFailed : kExitDone;
  if (options.json) {
    WriteRestoreJson(id, *files, tally, options, exit_code, out);
  } else {
    WriteRestoreText(tally, options.dry_run, out);
  }
  return exit_code;
}

}  // namespace vorlix::clean_tool
