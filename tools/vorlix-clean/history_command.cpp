// SPDX-License-Identifier: MIT
// history: the recorded trash runs, newest first.

#include <ctime>

#include "cleaning/run_record.h"
#include "support/text_utils.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/report.h"
#include "tools/vorlix-clean/safety_commands.h"

namespace vorlix::clean_tool {
namespace {

// A run's start in local time, as "2026-12-07 22:00:01".
std::string WhenText(std::time_t when) {
  std::tm local{};
  char text[32] = "";
  if (localtime_r(&when, &local) != nullptr) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

int HistoryCommand(const Options& options, std::ostream& out) {
  std::vector<std::string> problems;
  const std::vector<RecordedRun> runs = ListRecordedRuns(&problems);
  for (const std::string& problem : problems) Complain(PrintableText(problem));
  const int exit_code = problems.empty() ? kExitDone : kExitStopped;
  if (options.json) {
    out << "{\"schema\":1,\"command\":\"history\",\"exit_code\":" << exit_code << ",\"runs\":[";
    for (std::size_t i = 0; i < runs.size(); ++i) {
      out << (i > 0 ? "," : "") << "{\"id\":" << JsonString(runs[i].id) << ",\"when\":" << runs[i].when
          << ",\"files\":" << runs[i].files << ",\"in_trash\":" << runs[i].in_trash;
      WriteNames("folders", runs[i].folders, out);
      out << '}';
    }
    out << "]}\n";
    return exit_code;
  }
  if (runs.empty() && problems.empty()) out << "No cleaning into the trash is recorded.\n";
  for (const RecordedRun& run : runs) {
    out << run.id << "  " << WhenText(run.when) << "  " << Counted(run.files, "file") << " moved, "
        << run.in_trash << " still in the trash\n";
    for (const std::string& folder : run.folders) out << "    " << PrintableText(folder) << '\n';
  }
  return exit_code;
}

}  // namespace vorlix::clean_tool
