// SPDX-License-Identifier: MIT
// Deleting 100,000 listed files on a second thread behind a live window,
// against the same work run inline on the window's thread.
#include <QCoreApplication>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/offscreen_app.h"
#include "bench/sections.h"
#include "cleaning/listed_files.h"
#include "platform/drive_paths.h"
#include "ui/file_work_run.h"

namespace vorlix::bench {
namespace {

constexpr int kFiles = 100000;
constexpr int kRounds = 3;

double DeleteSeconds(const std::string &dir, QLabel *status) {
  const ListedFolder listed = ReadListedFolder("C:" + dir);
  const auto work = [&](DeleteWatcher *watcher) { DeleteListedFiles(listed, false, watcher); };
  return SecondsOf([&] {
    if (status != nullptr) {
      RunFileWorkOffThread(*status, listed.names.size(), work);
    } else {
      work(nullptr);
    }
  });
}

void FileWork() {
  platform::EnsureDefaultDrives();
  WithOffscreenApp([] {
    QLabel status;
    status.show();
    QCoreApplication::processEvents();
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
      const std::string threaded_dir = ScratchDir("file-work-threaded");
      const std::string inline_dir = ScratchDir("file-work-inline");
      MakeFiles(threaded_dir, kFiles);
      MakeFiles(inline_dir, kFiles);
      // The order alternates so that neither side always meets the warmer disk.
      double threaded = 0;
      double in_line = 0;
      SettleDisk();
      if (round % 2 == 0) threaded = DeleteSeconds(threaded_dir, &status);
      SettleDisk();
      in_line = DeleteSeconds(inline_dir, nullptr);
      SettleDisk();
      if (round % 2 != 0) threaded = DeleteSeconds(threaded_dir, &status);
      std::printf("round %d: threaded %.3f s, inline %.3f s, ratio %.3f\n", round + 1, threaded, in_line,
                  threaded / in_line);
      ratios.push_back(threaded / in_line);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf(
        "Delete Cache's file work, %d files, threaded / inline over %d "
        "rounds: median %.3f (min %.3f, max %.3f; "
        "target <= 1.05)\n",
        kFiles, kRounds, ratios[ratios.size() / 2], ratios.front(), ratios.back());
  });
}

VORLIX_BENCH_SECTION("file-work-thread", FileWork);

}  // namespace
}  // namespace vorlix::bench
