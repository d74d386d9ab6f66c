// SPDX-License-Identifier: MIT
// Drive-letter paths, free space and the trash.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/sections.h"
#include "platform/drive_paths.h"
#include "support/disk_utils.h"
#include "support/file_utils.h"

namespace vorlix::bench {
namespace {

void PathTranslations() {
  platform::EnsureDefaultDrives();
  const std::string dir = ScratchDir("paths");
  MakeFiles(dir, 10);
  const std::string dos = "C:" + dir;  // host separators are separators in DOS paths too
  const std::vector<std::string> paths = {
      dos + "\\entry3.tmp", dos + "\\ENTRY3.TMP", dos + "\\..\\paths\\.\\entry7.tmp", "c:\\\\usr\\\\bin", "C:\\no\\such\\file",
  };
  for (const std::string& path : paths) {
    constexpr int kRounds = 100000;
    std::size_t sink = 0;
    const double seconds = SecondsOf([&] {
      for (int i = 0; i < kRounds; ++i) sink += platform::Resolve(path)->host.size();
    });
    std::printf("translate %-40s %10.0f per second (%zu)\n", path.substr(path.size() > 40 ? path.size() - 40 : 0).c_str(),
                kRounds / seconds, sink % 10);
  }
}

void FreeSpace() {
  platform::EnsureDefaultDrives();
  constexpr int kRounds = 2000;
  std::int64_t sink = 0;
  const double seconds = SecondsOf([&] {
    for (int i = 0; i < kRounds; ++i) sink ^= SumFreeSpace();
  });
  std::printf("SumFreeSpace: %.0f calls per second (free bytes %lld)\n", kRounds / seconds,
              static_cast<long long>(SumFreeSpace()));
}

void Trash() {
  platform::EnsureDefaultDrives();
  constexpr int kFiles = 10000;
  const std::string ours = ScratchDir("trash-recyclefile");
  const std::string bare = ScratchDir("trash-gio");
  MakeFiles(ours, kFiles);
  MakeFiles(bare, kFiles);
  int failed = 0;
  SettleDisk();
  const double bare_seconds = BareTrashLoopSeconds(bare);
  SettleDisk();
  const double ours_seconds = SecondsOf([&] {
    for (int i = 0; i < kFiles; ++i) failed += !RecycleFile("C:" + ours + "/entry" + std::to_string(i) + ".tmp");
  });
  std::printf("RecycleFile, %d files: %.3f s; bare g_file_trash loop: %.3f s; ratio %.2f (target <= 1.2)%s\n", kFiles,
              ours_seconds, bare_seconds, ours_seconds / bare_seconds, failed ? " FAILURES" : "");
}

VORLIX_BENCH_SECTION("paths", PathTranslations);
VORLIX_BENCH_SECTION("freespace", FreeSpace);
VORLIX_BENCH_SECTION("trash", Trash);

}  // namespace
}  // namespace vorlix::bench
