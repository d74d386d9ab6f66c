// SPDX-License-Identifier: MIT
// The benchmark sections, their options and their summary table.

#include "bench/sections.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace vorlix::bench {
namespace {

bool quick = false;
bool failed = false;
volatile std::sig_atomic_t stop_asked = 0;

std::vector<TableRow>& Rows() {
  static std::vector<TableRow> rows;
  return rows;
}

}  // namespace

std::vector<Section>& Sections() {
  static std::vector<Section> sections;
  return sections;
}

bool Quick() { return quick; }
void SetQuick(bool on) { quick = on; }
int Count(int full, int quick_count) { return quick ? quick_count : full; }

void AddTableRow(TableRow row) { Rows().push_back(std::move(row)); }

std::vector<std::string> MarkdownTable() {
  std::vector<std::string> lines = {
      "| measurement | where | ours | the other | ratio, wall: median (min–max) | ratio, CPU: median (min–max) | "
      "target | met |",
      "| --- | --- | --- | --- | --- | --- | --- | --- |"};
  for (const TableRow& row : Rows()) {
    lines.push_back("| " + row.measurement + " | " + row.place + " | " + row.ours + " | " + row.theirs + " | " +
                    row.wall_ratio + " | " + row.cpu_ratio + " | " + row.target + " | " + (row.target == "–" ? "–" : row.met ? "yes" : "**no**") +
                    " |");
  }
  return lines;
}

void ReportFailure(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
  failed = true;
}

bool AnyFailure() { return failed; }

void CatchStopSignals() {
  for (const int signal_number : {SIGINT, SIGTERM}) std::signal(signal_number, [](int) { stop_asked = 1; });
}

void ExitIfStopped() {
  if (stop_asked == 0) return;
  std::printf("stopped\n");
  std::exit(130);
}

}  // namespace vorlix::bench
