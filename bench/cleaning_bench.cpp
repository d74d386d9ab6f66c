// SPDX-License-Identifier: MIT
// "Delete Cache" against the command-line tools that do the same job, each on
// an identical folder, with the file list's listing counted in our figure.
#include <cstdio>
#include <string>
#include <vector>

#include "actions/delete_cache.h"
#include "bench/compare.h"
#include "bench/sections.h"
#include "cleaning/listed_files.h"
#include "platform/drive_paths.h"

namespace vorlix::bench {
namespace {

// The main window as "Delete Cache" sees it: a file list read from the folder
// the way the window's list reads it, no questions.
class ListedView : public CleaningView {
 public:
  ListedView(const std::string& host_dir, bool recycle)
      : listed_(ReadListedFolder("C:" + host_dir)), recycle_(recycle) {}
  char DriveBoxDrive() const override { return 'c'; }
  void SetDriveBoxDrive(char) override {}
  std::string TreeDirectory() const override { return listed_.folder; }
  char TreeDrive() const override { return 'c'; }
  void SetTreeDrive(char) override {}
  void SetTreeDirectory(const std::string&) override {}
  std::string FileListDirectory() const override { return listed_.folder; }
  platform::NameList FileListItems() const override { return listed_.names; }
  std::optional<platform::FileIdentity> FileListIdentity() const override { return listed_.identity; }
  std::vector<bool> FileListSelection() const override { return std::vector<bool>(listed_.names.size()); }
  std::string FileListFileName() const override { return {}; }
  void ClearFileList() override { listed_.names.clear(); }
  void SetStatusText(const std::string&) override {}
  bool RecycleChecked() const override { return recycle_; }
  void SetRecycleChecked(bool checked) override { recycle_ = checked; }
  bool AskWarning(const std::string&) override { return true; }
  bool AskConfirmation(const std::string&) override { return true; }
  void ShowInformation(const std::string&) override {}
  void SetBusy(bool) override {}
  void RunFileWork(std::size_t, const std::function<void(DeleteWatcher*)>& work) override { work(nullptr); }

 private:
  ListedFolder listed_;
  bool recycle_;
};

// Lists the folder and deletes what the list shows, as the window does.
Side DeleteCacheSide(bool recycle) {
  return {"Delete Cache", [recycle](const std::string& dir) {
            ListedView view(dir, recycle);
            ProgramState state;
            DeleteCache(state, view, FileListing(view));
          }};
}

const Side kFindDelete = CommandSide("find -delete", "find {} -maxdepth 1 -type f -delete");
const Target kFindTarget{Target::kWall, 1.1, "≤ 1.1× wall"};

void DeleteForGood() {
  platform::EnsureDefaultDrives();
  const Comparison comparison{"Delete Cache for good", Count(100000, 1000), FileSizes::kMixed,
                              DeleteCacheSide(false), {kFindDelete}, {kFindTarget}};
  Compare(comparison, Place::kTmpfs);
  Compare(comparison, Place::kDisk);
}

// The cost against the number of files, for the plot in the documentation:
// "series NAME FILES SECONDS" lines, medians of the rounds.
void DeleteScaling() {
  platform::EnsureDefaultDrives();
  for (const int files : Quick() ? std::vector<int>{1000} : std::vector<int>{1000, 10000, 100000, 1000000}) {
    const ComparisonFigures figures = Compare(
        {"Delete Cache for good", files, FileSizes::kTiny, DeleteCacheSide(false), {kFindDelete}, {kFindTarget}},
        Place::kTmpfs);
    std::printf("series delete-cache %d %.4f\nseries find-delete %d %.4f\n", files, figures.ours.wall.median, files,
                figures.others[0].wall.median);
  }
}

void DeleteIntoTrash() {
  platform::EnsureDefaultDrives();
  // GLib keeps no trash on a tmpfs: trashing is measured on the disk only.
  Compare({"Delete Cache into the trash",
           Count(10000, 100),
           FileSizes::kMixed,
           DeleteCacheSide(true),
           {{"g_file_trash loop", BareTrashLoop}, CommandSide("trash-put", "trash-put -- {}/*")},
           {{Target::kCpu, 1.05, "≤ 1.05× CPU"}, {Target::kWall, 0.25, "≤ 0.25× wall (4× faster)"}}},
          Place::kDisk);
}

VORLIX_BENCH_SECTION("delete-cache", "Delete Cache for good against find -delete, tmpfs and disk", DeleteForGood);
VORLIX_BENCH_SECTION("delete-scaling", "Delete Cache for good against find -delete, 1,000 to 1,000,000 files",
                     DeleteScaling);
VORLIX_BENCH_SECTION("delete-cache-trash", "Delete Cache into the trash against a bare g_file_trash loop and trash-put",
                     DeleteIntoTrash);

}  // namespace
}  // namespace vorlix::bench
