// SPDX-License-Identifier: MIT
// The freedesktop.org trash.
#pragma once

#include <string>

namespace vorlix::platform {

// Moves one host path (a file, or a link as the link) into the trash, with the
// record that lets a file manager or trash-restore put it back. True only when
// the move succeeded; a path that cannot be trashed stays where it is.
bool MoveToTrash(const std::string& host_path);

}  // namespace vorlix::platform
