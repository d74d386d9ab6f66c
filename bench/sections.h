// SPDX-License-Identifier: MIT
// The benchmark sections. Each prints its own figures; a section registers
// itself with a static VORLIX_BENCH_SECTION(name, summary, function) in its
// own file. Figures that have a target also go into one summary table.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vorlix::bench {

struct Section {
  const char* name;
  const char* summary;  // one line for --help
  void (*run)();
};

std::vector<Section>& Sections();

struct Register {
  Register(const char* name, const char* summary, void (*run)()) { Sections().push_back({name, summary, run}); }
};

// --quick: few files, for a smoke run that takes seconds.
bool Quick();
void SetQuick(bool quick);
// A count of files: `full` normally, `quick` under --quick.
int Count(int full, int quick);

// One row of the summary table: what was measured, where, our figure, the
// other's figure (empty when there is none), the ratios, the target and
// whether the median meets it.
struct TableRow {
  std::string measurement;
  std::string place;
  std::string ours;
  std::string theirs;
  std::string wall_ratio;
  std::string cpu_ratio;
  std::string target;
  bool met = false;
};
void AddTableRow(TableRow row);
// The table in Markdown, one line each.
std::vector<std::string> MarkdownTable();

// Something a section found wrong (files left behind, a step that failed):
// printed at once, and the benchmark exits with a failure status.
void ReportFailure(const std::string& what);
bool AnyFailure();

// Ctrl+C and SIGTERM only ask the benchmark to stop: it ends at the next
// call of ExitIfStopped (between two measured steps), removing its folders.
void CatchStopSignals();
void ExitIfStopped();

// Seconds that a callable takes.
template <typename F>
double SecondsOf(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace vorlix::bench

#define VORLIX_BENCH_SECTION(name, summary, function) \
  static const ::vorlix::bench::Register vorlix_bench_register_##function(name, summary, function)
