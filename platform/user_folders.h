// SPDX-License-Identifier: MIT
// The desktop's user folders (Desktop, Documents, Downloads, ...): where the
// user keeps their own files.
#pragma once

#include <string>
#include <vector>

namespace vorlix::platform {

// The user folders named in $XDG_CONFIG_HOME/user-dirs.dirs, together with the
// usual ones under the home folder (~/Desktop, ~/Documents, ~/Downloads,
// ~/Music, ~/Pictures, ~/Videos, ~/Templates, ~/Public), as host paths as
// written there; whether they exist is not looked at.
std::vector<std::string> UserFolders();

// The home folders of the other accounts of the password database, as
// written there ("/" and relative ones left out); whether they exist is not
// looked at.
std::vector<std::string> OtherUsersHomes();

}  // namespace vorlix::platform
