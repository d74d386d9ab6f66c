// SPDX-License-Identifier: MIT
// How many times this process has read a folder's entries: a figure for
// diagnostics and tests that shows a folder is read once, not once per view.
#pragma once

#include <cstdint>

namespace vorlix::platform {

// Counts one read of a folder's entries.
void CountFolderRead();
// The folder reads counted so far in this process.
std::uint64_t FolderReadCount();

}  // namespace vorlix::platform
