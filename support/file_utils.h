// SPDX-License-Identifier: MIT
// Moving single files to the trash and copying them.
#pragma once

#include <string>

namespace vorlix {

// Moves one file (a link as the link) to the trash. False, with nothing
// changed, for a folder, a name that does not exist, or a file that cannot be
// trashed.
bool RecycleFile(const std::string& path);

// Result codes of DuplicateFile.
enum DuplicateResult : unsigned {
  kCopyComplete = 0,
  kCopySourceUnreadable = 1,
  kCopyDestinationNotCreated = 2,
  kCopyReadFailed = 3,
  kCopyWriteFailed = 4,
  kCopyDateUnreadable = 5,
};

// Copies a file with its last-write time (to two seconds, as Windows keeps it)
// and its permissions. The destination is replaced only by a complete copy: on
// any failure a file that stood there stays intact and no partial file is left.
// A destination that is the source itself (by any path or link), a folder, or
// a read-only file fails with code 2.
unsigned DuplicateFile(const std::string& source, const std::string& destination);

}  // namespace vorlix
