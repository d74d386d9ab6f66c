// SPDX-License-Identifier: MIT
// The size of each listed file, read in list order on a thread of its own, so
// that a run can begin deleting while later files are still being sized.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "cleaning/listed_files.h"

namespace vorlix {

class ListedSizes {
 public:
  // Starts reading; `listed` must stay as it is while this reads.
  explicit ListedSizes(const ListedFolder& listed);
  ListedSizes(const ListedSizes&) = delete;
  ListedSizes& operator=(const ListedSizes&) = delete;
  // Stops reading.
  ~ListedSizes();

  // The size of the entry at `index` as it stood when read, once it is read:
  // a deletion that waits for it deletes a file whose size is known. 0 for an
  // entry that was gone or could not be reached, and for every entry when the
  // folder is no longer the listed one.
  std::uint64_t Wait(std::size_t index) const;
  // Whether every size has been read.
  bool Complete() const;
  // The sum of all sizes, once every one is read.
  std::uint64_t Total() const;

 private:
  void Read(const ListedFolder& listed);

  std::vector<std::uint64_t> sizes_;
  std::atomic<std::size_t> read_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace vorlix
