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
    case RestoreOutcome::kFolderReplaced: return "folder-replaced";
    case RestoreOutcome::kNotInTrash: return "not-in-trash";
    case RestoreOutcome::kFailed: break;
  }
  return "failed";
}

// Names each file that stays on standard error.
void TellStayed(const RestoreTally& tally, bool dry_run) {
  for (const RestoredFile* file : tally.stayed) {
    std::cerr << "vorlix-clean: " << PrintableText(file->path) << (dry_run ? " would stay" : " stays")
              << " in the trash: " << StayedReason(*file) << '\n';
  }
}

void WriteRestoreJson(const std::string& id, const RestoreTally& tally, const Options& options, int exit_code,
                      std::ostream& out) {
  out << "{\"schema\":1,\"command\":\"restore\",\"dry_run\":" << (options.dry_run ? "true" : "false")
      << ",\"exit_code\":" << exit_code << ",\"run\":" << (id.empty() ? "null" : JsonString(id))
      << ",\"restored\":" << tally.restored << ",\"not_in_trash\":" << tally.gone << ",\"stayed\":[";
  bool first = true;
  for (const RestoredFile* file : tally.stayed) {
    out << (first ? "" : ",") << "{\"outcome\":\"" << OutcomeName(file->outcome) << '"';
    WriteJsonText("path", file->path, out);
    out << ",\"reason\":" << JsonString(StayedReason(*file)) << '}';
    first = false;
  }
  out << "]}\n";
}

void WriteRestoreText(const RestoreTally& tally, bool dry_run, std::ostream& out) {
  for (const std::string& count : RestoreCounts(tally, dry_run)) out << count << ".\n";
}

}  // namespace

int RestoreCommand(const Options& options, std::ostream& out) {
  const std::string id = options.run_id.empty() ? NewestRunId() : options.run_id;
  std::optional<std::vector<RestoredFile>> files;
  if (!id.empty()) files = RestoreRun(id, options.dry_run);
  if (!files) {
    std::string problem = RunRecordProblem(id);
    if (problem.empty()) {
      problem = options.run_id.empty() ? std::string("no cleaning into the trash is recorded")
                                       : "no run " + options.run_id + " is recorded (vorlix-clean history lists them)";
    }
    Complain(PrintableText(problem));
    if (options.json) WriteRestoreJson(options.run_id, RestoreTally{}, options, kExitStopped, out);
    return kExitStopped;
  }
  const RestoreTally tally = TallyRestore(*files);
  TellStayed(tally, options.dry_run);
  const int exit_code = tally.stayed.empty() ? kExitDone : kExitSomeFailed;
  if (options.json) {
    WriteRestoreJson(id, tally, options, exit_code, out);
  } else {
    WriteRestoreText(tally, options.dry_run, out);
  }
  return exit_code;
}

}  // namespace vorlix::clean_tool
