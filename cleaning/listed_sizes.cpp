// SPDX-License-Identifier: MIT
// The size of each listed file, read on a thread of its own.

#include "cleaning/listed_sizes.h"

#include <optional>
#include <string>

#include "platform/folder_entries.h"

namespace vorlix {

ListedSizes::ListedSizes(const ListedFolder& listed) : sizes_(listed.names.size(), 0) {
  thread_ = std::thread([this, &listed] { Read(listed); });
}

ListedSizes::~ListedSizes() {
  stop_.store(true);
  thread_.join();
}

void ListedSizes::Read(const ListedFolder& listed) {
  const std::optional<platform::FolderEntries> entries = platform::FolderEntries::Open(listed.folder);
  if (entries && entries->Identity() == listed.identity) {
    for (std::size_t i = 0; i < sizes_.size() && !stop_.load(std::memory_order_relaxed); ++i) {
      sizes_[i] = entries->Size(std::string(listed.names[i])).value_or(0);
      read_.store(i + 1, std::memory_order_release);
      read_.notify_all();
    }
  }
  // Nothing more will be read: whatever is left counts 0, and no one waits for ever.
  read_.store(sizes_.size(), std::memory_order_release);
  read_.notify_all();
}

std::uint64_t ListedSizes::Wait(std::size_t index) const {
  std::size_t read = read_.load(std::memory_order_acquire);
  while (read <= index) {
    read_.wait(read, std::memory_order_acquire);
    read = read_.load(std::memory_order_acquire);
  }
  return sizes_[index];
}

bool ListedSizes::Complete() const { return read_.load(std::memory_order_acquire) == sizes_.size(); }

std::uint64_t ListedSizes::Total() const {
  if (sizes_.empty()) return 0;
  Wait(sizes_.size() - 1);
  std::uint64_t total = 0;
  for (const std::uint64_t size : sizes_) total += size;
  return total;
}

}  // namespace vorlix
