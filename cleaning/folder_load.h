// SPDX-License-Identifier: MIT
// Reading a folder for a folder view without making the view wait on a large
// one: the first entries are read at once, the rest on a thread of their own.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <thread>

#include "cleaning/listed_files.h"
#include "platform/folder_entries.h"

namespace vorlix {

class FolderLoad {
 public:
  // Reads up to `at_once` entries of the folder now. When more remain, the
  // rest are read on a thread of their own.
  FolderLoad(const std::string& folder, std::size_t at_once);
  // Stops a read still going and waits for its thread.
  ~FolderLoad();
  FolderLoad(const FolderLoad&) = delete;
  FolderLoad& operator=(const FolderLoad&) = delete;

  // True when the constructor read the whole folder.
  bool ReadAtOnce() const { return at_once_; }
  // True once the whole folder has been read.
  bool Complete() const { return complete_.load(std::memory_order_acquire); }
  // The files read at once, sorted among themselves, handed over once.
  ListedFolder TakeFirst() { return std::move(first_); }
  // Each waits for the whole read, then hands over its part, sorted, once:
  // the files as ReadListedFolder lists them, the subfolders (hidden ones and
  // links to folders too).
  ListedFolder TakeFiles();
  platform::NameList TakeSubfolders();

 private:
  void Finish();
  void Wait();

  std::optional<platform::FolderEntries> entries_;
  std::optional<platform::FolderEntries::Reading> reading_;
  platform::FolderEntries::Contents contents_;
  ListedFolder files_;
  platform::NameList subfolders_;
  ListedFolder first_;
  bool at_once_ = true;
  std::atomic<bool> stop_{false};
  std::atomic<bool> complete_{false};
  std::thread thread_;
};

}  // namespace vorlix
