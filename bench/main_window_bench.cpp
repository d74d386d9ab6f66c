// SPDX-License-Identifier: MIT
// The real main window entering a folder of many files from its folder tree,
// as a double click on the folder does: the time from the click until the
// file list has rows on screen, until the list is complete, and the peak
// memory that takes.
#include <malloc.h>
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "actions/program_state.h"
#include "bench/offscreen_app.h"
#include "bench/process.h"
#include "bench/scratch.h"
#include "bench/sections.h"
#include "bench/stats.h"
#include "platform/drive_paths.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"
#include "support/text_utils.h"
#include "ui/main_window.h"

namespace vorlix::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start, Clock::time_point then) {
  return std::chrono::duration<double>(then - start).count();
}

// Watches the file list: when its contents last changed, and when its
// viewport was painted with rows in it.
class ListWatch : public QObject {
 public:
  explicit ListWatch(QAbstractItemView& list) : list_(list) {
    list.viewport()->installEventFilter(this);
    QAbstractItemModel* model = list.model();
    const auto changed = [this] { last_change = Clock::now(); };
    connect(model, &QAbstractItemModel::modelReset, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
  }
  void Reset() {
    last_change = Clock::now();
    painted_with_rows.clear();
  }
  int Rows() const { return list_.model()->rowCount(); }

  Clock::time_point last_change;
  std::vector<Clock::time_point> painted_with_rows;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && Rows() > 0) painted_with_rows.push_back(Clock::now());
    return false;
  }

 private:
  QAbstractItemView& list_;
};

struct Entry {
  double first_row = 0;  // seconds from the click to the first paint with rows
  double complete = 0;   // to the first paint after the list's last change with all rows in
  double cpu = 0;
  double peak_growth_mb = 0;
  bool done = false;
};

// The list counts as complete once it holds every file and has not changed
// for this long.
constexpr auto kQuiet = std::chrono::milliseconds(500);
constexpr auto kGiveUp = std::chrono::seconds(300);

Entry EnterFolder(TForm1& form, ListWatch& watch, const std::string& parent, const std::string& folder, int files) {
  form.SetTreeDirectory("C:" + parent);
  QCoreApplication::processEvents();
  malloc_trim(0);
  ResetPeak();
  const long resident_before = ResidentKiB();
  const double cpu_before = CpuSeconds(RUSAGE_SELF);
  watch.Reset();
  const Clock::time_point click = Clock::now();
  form.SetTreeDirectory("C:" + folder);  // what the tree does on a double click
  Entry entry;
  while (Clock::now() - click < kGiveUp) {
    QCoreApplication::processEvents();
    if (watch.Rows() == files && Clock::now() - watch.last_change > kQuiet) {
      for (const Clock::time_point paint : watch.painted_with_rows) {
        if (paint < watch.last_change) continue;
        entry.complete = Since(click, paint);
        entry.done = true;
        break;
      }
      if (entry.done) break;
    }
    QThread::msleep(1);
  }
  if (!watch.painted_with_rows.empty()) entry.first_row = Since(click, watch.painted_with_rows.front());
  entry.cpu = CpuSeconds(RUSAGE_SELF) - cpu_before;
  entry.peak_growth_mb = (PeakKiB() - resident_before) / 1024.0;
  return entry;
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", seconds);
  return text;
}

void EnterBigFolders() {
  platform::EnsureDefaultDrives();
  const std::vector<int> sizes = Quick() ? std::vector<int>{100000} : std::vector<int>{1000, 10000, 100000, 1000000};
  // The window starts in the folder that holds the big ones, as its first
  // folder button's folder.
  const std::string parent = ScratchDir(Place::kTmpfs, "window");
  TRegFile settings;
  BindSettingsStore(settings, "TForm1", "RegFile1");
  settings.WriteValue(kFolderSlots[0].FolderValue(), "C:" + parent);
  WithOffscreenApp([&] {
    ProgramState state;
    TForm1 form(state);
    form.show();
    form.activateWindow();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    auto* list = form.findChild<QAbstractItemView*>("FileListBox1");
    ListWatch watch(*list);
    for (const int files : sizes) {
      const std::string folder = ScratchDir(Place::kTmpfs, "window/cache");
      MakeFiles(folder, files);
      const int rounds = files >= 1000000 ? 3 : 5;
      std::vector<double> first_rows, completes, cpus;
      double peak = 0;
      for (int round = 0; round < rounds; ++round) {
        ExitIfStopped();
        const Entry entry = EnterFolder(form, watch, parent, folder, files);
        if (!entry.done) ReportFailure("the file list did not show all " + GroupedCount(files) + " files");
        first_rows.push_back(entry.first_row);
        completes.push_back(entry.complete);
        cpus.push_back(entry.cpu);
        peak = std::max(peak, entry.peak_growth_mb);
      }
      form.SetTreeDirectory("C:" + parent);
      const Spread first_row = SpreadOf(first_rows), complete = SpreadOf(completes), cpu = SpreadOf(cpus);
      std::printf(
          "Real window, %s files on tmpfs, %d rounds: click to first row %.3f s (%.3f–%.3f), to the complete list "
          "%.3f s (%.3f–%.3f), CPU %.3f s, peak memory growth %.1f MB\n",
          GroupedCount(files).c_str(), rounds, first_row.median, first_row.min, first_row.max, complete.median,
          complete.min, complete.max, cpu.median, peak);
      std::printf("series window-first-row %d %.4f\nseries window-complete %d %.4f\n", files, first_row.median, files,
                  complete.median);
      std::fflush(stdout);

      const std::string what = "Real window, click to first row, " + GroupedCount(files) + " files";
      const std::string ours = Seconds(first_row.median) + " (" + Seconds(first_row.min) + "–" +
                               Seconds(first_row.max) + "), complete " + Seconds(complete.median) + ", peak +" +
                               std::to_string(static_cast<int>(peak + 0.5)) + " MB";
      if (files == 100000) {
        AddTableRow({what, "tmpfs", ours, "–", "–", "–", "< 0.2 s", first_row.median < 0.2});
      } else if (files == 1000000) {
        AddTableRow({what, "tmpfs", ours, "–", "–", "–", "rows < 0.3 s; complete < 2 s; peak < 80 MB",
                     first_row.median < 0.3 && complete.median < 2 && peak < 80});
      }
    }
  });
}

VORLIX_BENCH_SECTION("window", "the real main window entering a folder of 100,000 and 1,000,000 files", EnterBigFolders);

}  // namespace
}  // namespace vorlix::bench
