// SPDX-License-Identifier: MIT
// Which trash folder serves an open folder, chosen as file managers choose it.
#pragma once

#include <string>

#include "platform/unique_fd.h"

namespace vorlix::platform {

// The trash folder of an open folder's file system, or why there is none.
struct TrashFolder {
  UniqueFd folder;   // open when there is a trash folder to use
  std::string path;  // the trash folder's path (also when it cannot be used)
  std::string top;   // the file system's top folder; empty for the home trash
  int error = 0;     // when not open: why the trash folder cannot be used; 0 when the file system has none
};

// The home trash for the home folder's file system; elsewhere a per-user
// folder in a shared sticky `.Trash` at the file system's top, else
// `.Trash-<uid>` there; none on the system's own mounts or on mounts marked
// "x-gvfs-notrash". A missing trash folder is made.
TrashFolder FindTrashFolder(int folder_fd);

// The folder `name` below `at`, made when missing: a folder of this user's
// that is not a link. Sets errno when it cannot be used (EPERM for another
// user's folder).
UniqueFd OwnFolder(int at, const char* name);

}  // namespace vorlix::platform
