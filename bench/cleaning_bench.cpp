// SPDX-License-Identifier: MIT
// "Delete Cache" against the command-line tools that do the same job, each on
// an identical folder, with the file list's listing counted in our figure.
#include <dirent.h>
#include <gio/gio.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/sections.h"
#include "actions/delete_cache.h"
#include "cleaning/listed_files.h"
#include "platform/drive_paths.h"
#include "platform/file_system.h"
#include "platform/xdg.h"

namespace vorlix::bench {
namespace {

std::size_t Remaining(const std::string& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++count;
  return count;
}

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
double DeleteCacheSeconds(const std::string& dir, bool recycle) {
  return SecondsOf([&] {
    ListedView view(dir, recycle);
    ProgramState state;
    DeleteCache(state, view);
  });
}

double CommandSeconds(const std::string& command) {
  return SecondsOf([&] {
    if (std::system(command.c_str()) != 0) std::printf("failed: %s\n", command.c_str());
  });
}

void DeleteForGood() {
  platform::EnsureDefaultDrives();
  constexpr int kFiles = 100000;
  const std::string ours = ScratchDir("delete-cache");
  const std::string find = ScratchDir("delete-find");
  MakeFiles(ours, kFiles);
  MakeFiles(find, kFiles);
  SettleDisk();
  const double find_seconds = CommandSeconds("find '" + find + "' -maxdepth 1 -type f -delete");
  SettleDisk();
  const double ours_seconds = DeleteCacheSeconds(ours, false);
  std::printf("Delete Cache for good, %d files: %.3f s; find -delete: %.3f s; ratio %.2f (target <= 1.3)%s\n", kFiles,
              ours_seconds, find_seconds, ours_seconds / find_seconds,
              Remaining(ours) + Remaining(find) != 0 ? " FILES LEFT" : "");
}

void DeleteIntoTrash() {
  platform::EnsureDefaultDrives();
  constexpr int kFiles = 10000;
  const std::string ours = ScratchDir("trash-cache");
  const std::string bare = ScratchDir("trash-bare");
  const std::string tool = ScratchDir("trash-put");
  MakeFiles(ours, kFiles);
  MakeFiles(bare, kFiles);
  MakeFiles(tool, kFiles);
  SettleDisk();
  const double bare_seconds = BareTrashLoopSeconds(bare);
  SettleDisk();
  const double ours_seconds = DeleteCacheSeconds(ours, true);
  SettleDisk();
  const double tool_seconds = CommandSeconds("find '" + tool + "' -maxdepth 1 -type f -exec trash-put {} +");
  SettleDisk();
  std::printf("Delete Cache into the trash, %d files: %.3f s; bare g_file_trash loop: %.3f s; ratio %.2f (target <= 1.3)\n",
              kFiles, ours_seconds, bare_seconds, ours_seconds / bare_seconds);
  std::printf("trash-put: %.3f s; %.1f times slower than Delete Cache (target >= 3)%s\n", tool_seconds,
              tool_seconds / ours_seconds, Remaining(ours) + Remaining(bare) + Remaining(tool) != 0 ? " FILES LEFT" : "");
}

VORLIX_BENCH_SECTION("delete-cache", DeleteForGood);
VORLIX_BENCH_SECTION("delete-cache-trash", DeleteIntoTrash);

}  // namespace
}  // namespace vorlix::bench
