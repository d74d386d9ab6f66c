// SPDX-License-Identifier: MIT
// Side-by-side comparisons.

#include "bench/compare.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/process.h"
#include "bench/sections.h"
#include "support/text_utils.h"

namespace vorlix::bench {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string RatioText(const Spread& ratio) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f (%.2f–%.2f)", ratio.median, ratio.min, ratio.max);
  return text;
}

std::string TimesText(const SideFigures& side) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f s (CPU %.3f s)", side.wall.median, side.cpu.median);
  return text;
}

struct Measured {
  double wall;
  double cpu;
};

Measured MeasureSide(const Comparison& comparison, const Side& side, Place place, int round) {
  ExitIfStopped();
  const std::string folder = ScratchDir(place, "round" + std::to_string(round));
  MakeFiles(folder, comparison.files, comparison.sizes);
  SettleDisk();
  const int who = side.command ? RUSAGE_CHILDREN : RUSAGE_SELF;
  const double cpu_before = CpuSeconds(who);
  const double wall = SecondsOf([&] { side.run(folder); });
  const double cpu = CpuSeconds(who) - cpu_before;
  const std::size_t left = EntriesIn(folder);
  if (left != 0) {
    ReportFailure(comparison.title + ": " + side.name + " left " + std::to_string(left) + " of " +
                  std::to_string(comparison.files) + " files (FILES LEFT)");
  }
  std::filesystem::remove_all(folder);
  return {wall, cpu};
}

}  // namespace

Side CommandSide(std::string name, const std::string& command) {
  return {std::move(name),
          [command](const std::string& folder) {
            const std::string quoted = Quoted(folder);
            std::string line = command;
            for (std::size_t at = line.find("{}"); at != std::string::npos; at = line.find("{}", at + quoted.size())) {
              line.replace(at, 2, quoted);
            }
            if (std::system(line.c_str()) != 0) ReportFailure("command failed: " + line);
          },
          true};
}

ComparisonFigures Compare(const Comparison& comparison, Place place) {
  std::vector<const Side*> sides = {&comparison.ours};
  for (const Side& other : comparison.others) sides.push_back(&other);
  std::vector<std::vector<Measured>> rounds(kRounds, std::vector<Measured>(sides.size()));
  // Sides that work on no files (the settings store) get no file count.
  const std::string files = comparison.files == 0 ? std::string()
                                                  : ", " + GroupedCount(comparison.files) + " files of " +
                                                        SizesName(comparison.sizes);
  std::printf("%s%s, %s, %d rounds\n", comparison.title.c_str(), files.c_str(), PlaceName(place), kRounds);
  std::fflush(stdout);
  for (int round = 0; round < kRounds; ++round) {
    for (const std::size_t index : RoundOrder(sides.size(), round)) {
      rounds[round][index] = MeasureSide(comparison, *sides[index], place, round);
    }
  }

  const auto figures_of = [&](std::size_t index) {
    std::vector<double> wall, cpu;
    for (const auto& round : rounds) {
      wall.push_back(round[index].wall);
      cpu.push_back(round[index].cpu);
    }
    return SideFigures{SpreadOf(wall), SpreadOf(cpu)};
  };
  ComparisonFigures figures{figures_of(0), {}, {}, {}};
  std::printf("  %-28s wall %8.3f s  CPU %8.3f s\n", comparison.ours.name.c_str(), figures.ours.wall.median,
              figures.ours.cpu.median);
  for (std::size_t other = 1; other < sides.size(); ++other) {
    std::vector<double> wall, cpu;
    for (const auto& round : rounds) {
      wall.push_back(round[0].wall / round[other].wall);
      cpu.push_back(round[other].cpu > 0 ? round[0].cpu / round[other].cpu : 0);
    }
    figures.others.push_back(figures_of(other));
    figures.wall_ratios.push_back(SpreadOf(wall));
    figures.cpu_ratios.push_back(SpreadOf(cpu));
    const SideFigures& theirs = figures.others.back();
    std::printf("  %-28s wall %8.3f s  CPU %8.3f s\n", sides[other]->name.c_str(), theirs.wall.median,
                theirs.cpu.median);

    const Target target = other - 1 < comparison.targets.size() ? comparison.targets[other - 1] : Target{};
    const Spread& judged = target.clock == Target::kWall ? figures.wall_ratios.back() : figures.cpu_ratios.back();
    const bool met = target.max_ratio == 0 || judged.median <= target.max_ratio;
    std::printf("  ratio to %-19s wall %s, CPU %s; target %s: %s\n", sides[other]->name.c_str(),
                RatioText(figures.wall_ratios.back()).c_str(), RatioText(figures.cpu_ratios.back()).c_str(),
                target.text.empty() ? "none" : target.text.c_str(), met ? "met" : "MISSED");
    AddTableRow({comparison.title + " vs " + sides[other]->name + files,
                 PlaceName(place), TimesText(figures.ours), TimesText(theirs), RatioText(figures.wall_ratios.back()),
                 RatioText(figures.cpu_ratios.back()), target.text.empty() ? "–" : target.text, met});
  }
  std::fflush(stdout);
  return figures;
}

}  // namespace vorlix::bench
