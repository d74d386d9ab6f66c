// SPDX-License-Identifier: MIT
// Benchmark program: prints figures for the speed and memory targets, then a
// summary table in Markdown.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/sections.h"

namespace {

using vorlix::bench::Section;
using vorlix::bench::Sections;

void PrintSections(std::FILE* out) {
  for (const Section& section : Sections()) std::fprintf(out, "  %-20s %s\n", section.name, section.summary);
}

void PrintUsage() {
  std::printf(
      "Usage: vorlix-bench [--quick] [--markdown FILE] [SECTION...]\n"
      "Prints figures for the speed and memory targets, then a summary table in Markdown.\n"
      "With no SECTION, runs them all.\n\n"
      "  --quick            few files (the rounds stay): a smoke run of seconds, not minutes\n"
      "  --markdown FILE    also write the summary table to FILE\n"
      "  --help             this text\n\n"
      "Sections:\n");
  PrintSections(stdout);
  std::printf(
      "\nExit status: 0 done, 1 a section failed (files left behind, a command failed), 2 wrong arguments.\n");
}

int WrongArguments(const char* what) {
  std::fprintf(stderr, "vorlix-bench: %s\nSections:\n", what);
  PrintSections(stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<const Section*> chosen;
  std::string markdown;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    }
    if (arg == "--quick") {
      vorlix::bench::SetQuick(true);
    } else if (arg == "--markdown" && i + 1 < argc) {
      markdown = argv[++i];
    } else {
      const Section* found = nullptr;
      for (const Section& section : Sections()) {
        if (arg == section.name) found = &section;
      }
      if (found == nullptr) return WrongArguments(("unknown section or option: " + arg).c_str());
      chosen.push_back(found);
    }
  }
  if (chosen.empty()) {
    for (const Section& section : Sections()) chosen.push_back(&section);
  }
  vorlix::bench::CatchStopSignals();
  for (const Section* section : chosen) {
    vorlix::bench::ExitIfStopped();
    std::printf("== %s\n", section->name);
    std::fflush(stdout);
    section->run();
  }

  const std::vector<std::string> table = vorlix::bench::MarkdownTable();
  std::printf("\n");
  for (const std::string& line : table) std::printf("%s\n", line.c_str());
  if (!markdown.empty()) {
    std::ofstream out(markdown);
    for (const std::string& line : table) out << line << '\n';
    if (!out) {
      std::perror(("vorlix-bench: " + markdown).c_str());
      return 1;
    }
  }
  return vorlix::bench::AnyFailure() ? 1 : 0;
}
