// SPDX-License-Identifier: MIT
// Deleting 100,000 listed files on a second thread behind a live window,
// against the same work run inline on the window's thread.
#include <QCoreApplication>
#include <QLabel>
#include <string>

#include "bench/compare.h"
#include "bench/offscreen_app.h"
#include "bench/sections.h"
#include "cleaning/listed_files.h"
#include "platform/drive_paths.h"
#include "ui/file_work_run.h"

namespace vorlix::bench {
namespace {

void FileWork() {
  platform::EnsureDefaultDrives();
  WithOffscreenApp([] {
    QLabel status;
    status.show();
    QCoreApplication::processEvents();
    // Both sides list the folder and delete what they listed.
    const auto side = [&status](const char* name, bool threaded) {
      return Side{name, [&status, threaded](const std::string& dir) {
                    const ListedFolder listed = ReadListedFolder("C:" + dir);
                    const auto work = [&](DeleteWatcher* watcher) { DeleteListedFiles(listed, false, watcher); };
                    if (threaded) {
                      RunFileWorkOffThread(status, listed.names.size(), work);
                    } else {
                      work(nullptr);
                    }
                  }};
    };
    Compare({"File work on a second thread", Count(100000, 1000), FileSizes::kTiny, side("threaded", true),
             {side("inline", false)}, {{Target::kWall, 1.05, "≤ 1.05× wall"}}},
            Place::kTmpfs);
  });
}

VORLIX_BENCH_SECTION("file-work-thread", "Delete Cache's file work on a second thread against inline", FileWork);

}  // namespace
}  // namespace vorlix::bench
