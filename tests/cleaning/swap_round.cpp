// SPDX-License-Identifier: MIT
#include "tests/cleaning/swap_round.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cleaning/listed_files.h"
#include "platform/xdg.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::test {
namespace {

int CountEntries(const std::string& folder) {
  int count = 0;
  std::error_code ignored;
  for (auto it = std::filesystem::directory_iterator(folder, ignored); it != std::filesystem::directory_iterator();
       it.increment(ignored)) {
    ++count;
  }
  return count;
}

// Holds the run before its second file until the swap is done.
class HoldUntilSwapped : public DeleteWatcher {
 public:
  explicit HoldUntilSwapped(const std::atomic<bool>& swapped) : swapped_(swapped) {}
  void EntryDone(std::size_t /*index*/, EntryResult /*result*/) override {}
  bool StopBefore(std::size_t index) override {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (index == 1 && !swapped_.load() && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
    return false;
  }

 private:
  const std::atomic<bool>& swapped_;
};

}  // namespace

SwapRound RunSwapRound(bool recycle, int files, SwapTiming timing) {
  const std::string base = MakeTempDir("swap");
  const std::string listed = base + "/listed", moved = base + "/listed.old", other = base + "/other";
  std::filesystem::create_directory(listed);
  std::filesystem::create_directory(other);
  for (int i = 0; i < files; ++i) {
    const std::string name = "/entry" + std::to_string(i) + ".tmp";
    WriteFile(listed + name, "listed");
    WriteFile(other + name, "other");
  }
  const ListedFolder snapshot = ReadListedFolder(OnC(listed));

  std::atomic<bool> swapped{false};
  std::thread swapper([&] {
    const std::string first = listed + "/" + std::string(snapshot.names[0]);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (PathExists(first) && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
    std::filesystem::rename(listed, moved);
    std::filesystem::create_directory_symlink(other, listed);
    swapped = true;
  });
  HoldUntilSwapped hold(swapped);
  const DeleteOutcome outcome =
      DeleteListedFiles(snapshot, recycle, timing == SwapTiming::kAfterFirstFile ? &hold : nullptr);
  swapper.join();

  SwapRound round;
  round.held = CountEntries(other) == files;
  round.stopped = outcome == DeleteOutcome::kFolderSwapped;
  round.left = CountEntries(moved);
  std::error_code ignored;
  std::filesystem::remove_all(base, ignored);
  std::filesystem::remove_all(platform::DataHome() + "/Trash", ignored);
  return round;
}

}  // namespace vorlix::test
