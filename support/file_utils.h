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

// Copies a regular file with its last-write time (to two seconds, as Windows keeps it)
// and its permissions. The destination is replaced only by a complete copy: on
// any failure a file that stood there stays intact and no partial file is left.
// A destination that is the source itself (by any path or link), a folder, or
// a read-only file fails with code 2. A source that is not a regular file (a
// folder, pipe, socket or device) fails with code 1, and nothing waits on it.
unsigned DuplicateFile(const std::string& source, const std::string& destination);

// The same for the entry `name` of a folder, copied to the entry of that name
// in another folder (both DOS paths). The name is taken byte for byte in both
// folders: a backslash in it is part of the name, never a separator.
unsigned DuplicateEntry(const std::string& folder, const std::string& name, const std::string& destination_folder);

}  // namespace vorlix
