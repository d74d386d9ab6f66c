// SPDX-License-Identifier: MIT
// The folder the program starts in: the user's cache folder, the counterpart of
// a Windows program's start-in folder for a cache cleaner. A first view with no
// cache folder stored then shows cache files, never the home folder or
// wherever the program was started from.
#pragma once

namespace vorlix::platform {

// Makes CacheHome() (created when missing, unless it lies in a home folder
// that does not exist) the process's current folder and starts the drive
// layer afresh from it. False, with the current folder unchanged, when it
// cannot be made or entered.
bool EnterStartInFolder();

}  // namespace vorlix::platform
