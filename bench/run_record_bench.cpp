// SPDX-License-Identifier: MIT
// A run into the trash with its record against the same run without one, and
// what the record costs on disk per file.
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/compare.h"
#include "bench/sections.h"
#include "cleaning/listed_files.h"
#include "cleaning/run_record.h"
#include "platform/drive_paths.h"
#include "platform/xdg.h"

namespace vorlix::bench {
namespace {

namespace fs = std::filesystem;

// Lists the folder and trashes what the list shows, with or without a record.
Side TrashRunSide(const char* name, bool recorded) {
  return {name, [recorded](const std::string& dir) {
            const ListedFolder listed = ReadListedFolder("C:" + dir);
            if (!recorded) {
              DeleteListedFiles(listed, true);
              return;
            }
            const RunRecordScope record(false);
            DeleteListedFiles(listed, true);
          }};
}

// The size of the newest run record.
std::uintmax_t NewestRecordBytes() {
  std::error_code error;
  fs::path newest;
  for (const auto& entry : fs::directory_iterator(platform::VorlixConfigDir() + "/runs", error)) {
    if (newest.empty() || entry.path().filename() > newest.filename()) newest = entry.path();
  }
  return newest.empty() ? 0 : fs::file_size(newest, error);
}

void RecordedTrashRun() {
  platform::EnsureDefaultDrives();
  const int files = Count(20000, 200);
  Compare({"Trash run with its record", files, FileSizes::kTiny, TrashRunSide("with record", true),
           {TrashRunSide("without record", false)}, {{Target::kWall, 1.05, "≤ 1.05× wall"}}},
          Place::kDisk);
  std::printf("record bytes per file: %.1f\n", static_cast<double>(NewestRecordBytes()) / files);
}

VORLIX_BENCH_SECTION("run-record", "A trash run with its record against one without, and the record's bytes per file",
                     RecordedTrashRun);

}  // namespace
}  // namespace vorlix::bench
