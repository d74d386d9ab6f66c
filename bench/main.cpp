// SPDX-License-Identifier: MIT
// Benchmark program: prints figures for the speed and memory targets.
// Usage: vorlix-bench [SECTION...]  (no section: all of them)
#include <cstdio>
#include <cstring>

#include "bench/sections.h"

int main(int argc, char** argv) {
  const auto& sections = vorlix::bench::Sections();
  int ran = 0;
  for (const auto& section : sections) {
    bool wanted = argc < 2;
    for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], section.name) == 0;
    if (!wanted) continue;
    std::printf("== %s\n", section.name);
    std::fflush(stdout);
    section.run();
    ++ran;
  }
  if (ran == 0) {
    std::fprintf(stderr, "unknown section; known:");
    for (const auto& section : sections) std::fprintf(stderr, " %s", section.name);
    std::fprintf(stderr, "\n");
    return 2;
  }
  return 0;
}
