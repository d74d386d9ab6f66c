// SPDX-License-Identifier: MIT
// The freedesktop.org trash.
#pragma once

#include <string>

namespace vorlix::platform {

// Moves the entry `name` of an open folder (a file, or a link as the link)
// into the trash that serves it: the home trash for the home folder's file
// system, otherwise the trash folder at the top of the entry's own file system
// (none on the system's internal mounts). A `.trashinfo` record naming
// `original_path` lets a file manager or trash-restore put it back. The move
// is one rename relative to the open folder, so it takes that folder's entry
// even when the folder's path leads elsewhere by now; the folder may be opened
// for reaching its entries only (O_PATH). A folder, or a link to one, is
// refused. True only when the move succeeded; an entry that cannot be trashed
// stays where it is.
bool MoveToTrash(int folder_fd, const std::string& name, const std::string& original_path);

}  // namespace vorlix::platform
