// SPDX-License-Identifier: MIT
// How many times this process has read a folder's entries.

#include "platform/folder_reads.h"

#include <atomic>

namespace vorlix::platform {
namespace {

std::atomic<std::uint64_t> reads{0};

}  // namespace

void CountFolderRead() { reads.fetch_add(1, std::memory_order_relaxed); }

std::uint64_t FolderReadCount() { return reads.load(std::memory_order_relaxed); }

}  // namespace vorlix::platform
