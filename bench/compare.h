// SPDX-License-Identifier: MIT
// Side-by-side comparisons. Every side gets a fresh folder filled before it
// (not timed), the disk is synced before each side, and the sides take turns
// over several rounds with the order turned each round. Printed per side: the
// median wall and CPU time; per other side: the median ratio ours / theirs
// with its smallest and largest, wall and CPU, and the target beside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bench/scratch.h"
#include "bench/stats.h"

namespace vorlix::bench {

struct Side {
  std::string name;
  // The work measured, on the side's fresh folder.
  std::function<void(const std::string& folder)> run;
  // The work runs in child processes: its CPU time is theirs, not ours.
  bool command = false;
};

// A side that runs a shell command; every "{}" in it becomes the folder, quoted.
Side CommandSide(std::string name, const std::string& command);

// What the median ratio ours / theirs should stay at or under.
struct Target {
  enum Clock { kWall, kCpu } clock = kWall;
  double max_ratio = 0;  // 0: no target
  std::string text;      // how the table states it, e.g. "≤ 1.1× wall"
};

struct Comparison {
  std::string title;       // "Delete Cache for good"
  int files = 0;           // in each side's folder
  FileSizes sizes = FileSizes::kTiny;
  Side ours;
  std::vector<Side> others;
  std::vector<Target> targets;  // one per other side
};

struct SideFigures {
  Spread wall;
  Spread cpu;
};

struct ComparisonFigures {
  SideFigures ours;
  std::vector<SideFigures> others;
  std::vector<Spread> wall_ratios;  // ours / other, one per other side
  std::vector<Spread> cpu_ratios;
};

// Runs a comparison in folders on `place`, prints its figures and adds its
// rows to the summary table. A side that leaves anything in its folder is
// reported as a failure.
ComparisonFigures Compare(const Comparison& comparison, Place place);

// The rounds every comparison runs.
inline constexpr int kRounds = 5;

}  // namespace vorlix::bench
