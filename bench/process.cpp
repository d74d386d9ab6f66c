// SPDX-License-Identifier: MIT
// The benchmark's own process.

#include "bench/process.h"

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace vorlix::bench {
namespace {

long StatusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::strtol(line.c_str() + field.size(), nullptr, 10);
  }
  return 0;
}

}  // namespace

long ResidentKiB() { return StatusKiB("VmRSS:"); }
long PeakKiB() { return StatusKiB("VmHWM:"); }

bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace vorlix::bench
