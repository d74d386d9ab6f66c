// SPDX-License-Identifier: MIT
// The benchmark sections. Each prints its own figures; a section registers
// itself with a static VORLIX_BENCH_SECTION(name, function) in its own file.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vorlix::bench {

struct Section {
  const char* name;
  void (*run)();
};

std::vector<Section>& Sections();

struct Register {
  Register(const char* name, void (*run)()) { Sections().push_back({name, run}); }
};

// Seconds that a callable takes.
template <typename F>
double SecondsOf(F&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A fresh scratch folder for a section, below the benchmark's private root
// (HOME and the XDG folders point there while the benchmark runs).
std::string ScratchDir(const std::string& name);

// Creates `count` small files named entryN.tmp in a folder.
void MakeFiles(const std::string& dir, int count);

// Before each measured step: an empty trash, and no writes of the set-up
// still pending that the step would pay for.
void SettleDisk();

// Seconds that a bare loop of g_file_trash over a folder's files takes: the
// baseline of every trash figure.
double BareTrashLoopSeconds(const std::string& dir);

}  // namespace vorlix::bench

#define VORLIX_BENCH_SECTION(name, function) \
  static const ::vorlix::bench::Register vorlix_bench_register_##function(name, function)
