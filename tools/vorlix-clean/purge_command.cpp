// SPDX-License-Identifier: MIT
// purge: deletes for good the files vorlix-clean and the window moved into the
// trash some days ago, and nothing else in the trash.

#include <cstring>
#include <iostream>

#include "cleaning/run_record.h"
#include "support/text_utils.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/report.h"
#include "tools/vorlix-clean/safety_commands.h"

namespace vorlix::clean_tool {
namespace {

// Why a file under a recorded name stays in the trash, as a clause after its path.
const char* KeptReason(LetGoKept kept) {
  if (kept == LetGoKept::kPutThereSince) return "is in the trash but was put there by another program since";
  return "is in the trash but its run's record is too old to show Vorlix put it there";
}

}  // namespace

int PurgeCommand(const Options& options, std::ostream& out) {
  const std::vector<LetGoFile> files = LetGoOlderThan(*options.older_than, options.dry_run);
  std::vector<std::string> gone;
  std::vector<const LetGoFile*> failed;
  std::vector<const LetGoFile*> kept;
  for (const LetGoFile& file : files) {
    if (file.kept != LetGoKept::kNo) {
      kept.push_back(&file);
    } else if (file.error == 0) {
      gone.push_back(file.path);
    } else {
      failed.push_back(&file);
      std::cerr << "vorlix-clean: could not delete " << PrintableText(file.path)
                << " from the trash: " << std::strerror(file.error) << '\n';
    }
  }
  const int exit_code = failed.empty() ? kExitDone : kExitSomeFailed;
  if (options.json) {
    out << "{\"schema\":1,\"command\":\"purge\",\"dry_run\":" << (options.dry_run ? "true" : "false")
        << ",\"exit_code\":" << exit_code << ",\"older_than\":" << *options.older_than;
    WriteNames("deleted", gone, out);
    out << ",\"failed\":[";
    for (std::size_t i = 0; i < failed.size(); ++i) {
      out << (i > 0 ? ",{" : "{") << "\"reason\":" << JsonString(std::strerror(failed[i]->error));
      WriteJsonText("path", failed[i]->path, out);
      out << '}';
    }
    out << "],\"kept\":[";
    for (std::size_t i = 0; i < kept.size(); ++i) {
      out << (i > 0 ? ",{" : "{") << "\"reason\":" << JsonString(KeptReason(kept[i]->kept));
      WriteJsonText("path", kept[i]->path, out);
      out << '}';
    }
    out << "]}\n";
    return exit_code;
  }
  out << Counted(gone.size(), "file")
      << (options.dry_run ? " would be" : (gone.size() == 1 ? " was" : " were")) << " deleted for good from the trash";
  if (!failed.empty()) out << "; " << Counted(failed.size(), "file") << " could not be";
  out << ".\n";
  if (options.dry_run) {
    for (const std::string& path : gone) out << "    " << PrintableText(path) << '\n';
    for (const LetGoFile* file : kept) out << PrintableText(file->path) << ' ' << KeptReason(file->kept) << ": kept\n";
  }
  return exit_code;
}

}  // namespace vorlix::clean_tool
