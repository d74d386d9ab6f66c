// SPDX-License-Identifier: MIT
// Opening one subfolder of an open folder for a run that empties a tree:
// never through a link, and never into another mount (a file system, or a
// bind mount, put inside the tree), as `rm --one-file-system` keeps to one.
#pragma once

#include "platform/unique_fd.h"

namespace vorlix::platform {

enum class ChildFolderKind {
  kOpened,          // a real subfolder on the same mount: `fd` holds it
  kLink,            // a link stands there: not followed
  kOtherMount,      // the root of another mount: not entered
  kNotOpened,       // gone, no folder, or closed to us (`error` says why)
};

struct ChildFolder {
  UniqueFd fd;
  ChildFolderKind kind = ChildFolderKind::kNotOpened;
  int error = 0;
};

// Opens the subfolder `name` of the open folder `folder_fd` in one call that
// refuses links and mount crossings (openat2 with RESOLVE_NO_SYMLINKS and
// RESOLVE_NO_XDEV); where the kernel lacks it, as OpenChildFolderPortable.
ChildFolder OpenChildFolder(int folder_fd, const char* name);

// The same by older calls: openat with O_NOFOLLOW, then the folder is let go
// again when it lies on another device than its parent or is the root of a
// mount (statx's STATX_ATTR_MOUNT_ROOT).
ChildFolder OpenChildFolderPortable(int folder_fd, const char* name);

}  // namespace vorlix::platform
