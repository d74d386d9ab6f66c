// SPDX-License-Identifier: MIT
// Drive-letter paths, free space and the trash.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/compare.h"
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
    constexpr int kCalls = 100000;
    std::size_t sink = 0;
    const double seconds = SecondsOf([&] {
      for (int i = 0; i < kCalls; ++i) sink += platform::Resolve(path)->host.size();
    });
    std::printf("translate %-40s %10.0f per second (%zu)\n", path.substr(path.size() > 40 ? path.size() - 40 : 0).c_str(),
                kCalls / seconds, sink % 10);
  }
}

void FreeSpace() {
  platform::EnsureDefaultDrives();
  constexpr int kCalls = 2000;
  std::int64_t sink = 0;
  const double seconds = SecondsOf([&] {
    for (int i = 0; i < kCalls; ++i) sink ^= SumFreeSpace();
  });
  std::printf("SumFreeSpace: %.0f calls per second (free bytes %lld)\n", kCalls / seconds,
              static_cast<long long>(SumFreeSpace()));
}

void Trash() {
  platform::EnsureDefaultDrives();
  const int files = Count(10000, 100);
  const Side ours{"RecycleFile loop", [files](const std::string& dir) {
                    for (int i = 0; i < files; ++i) {
                      if (!RecycleFile("C:" + dir + "/entry" + std::to_string(i) + ".tmp")) {
                        ReportFailure("RecycleFile refused entry" + std::to_string(i) + ".tmp");
                      }
                    }
                  }};
  // GLib keeps no trash on a tmpfs: trashing is measured on the disk only.
  Compare({"RecycleFile", files, FileSizes::kTiny, ours, {{"g_file_trash loop", BareTrashLoop}},
           {{Target::kWall, 1.2, "≤ 1.2× wall"}}},
          Place::kDisk);
}

VORLIX_BENCH_SECTION("paths", "drive-letter path translations per second", PathTranslations);
VORLIX_BENCH_SECTION("freespace", "free-space sums of the drives per second", FreeSpace);
VORLIX_BENCH_SECTION("trash", "RecycleFile one file at a time against a bare g_file_trash loop", Trash);

}  // namespace
}  // namespace vorlix::bench
