// SPDX-License-Identifier: MIT
// The look that a run which asks nothing (Kill All, vorlix-clean) takes at a
// folder before it enters it to clean it: only the folder named, and never a
// folder that holds the user's or the system's own files.
#pragma once

#include <stdexcept>
#include <string>

namespace vorlix {

// A folder that a run which asks nothing refuses to clean; the message names
// the folder and why.
class EProtectedFolder : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Checks a folder as written (a DOS path; one without drive letter is taken on
// `drive`, or on the current drive when `drive` is 0) before it is entered:
// - its own last name must be there exactly as written: letter-case folding
//   may find the folders above it, but a folder that has vanished is missing,
//   never its twin in another case (EInOutError, the folder does not exist);
// - it must not be the root folder, the home folder, one of the user's own
//   folders or a system folder (EProtectedFolder).
// A folder that cannot be resolved at all passes: entering it tells why.
void CheckUnattendedFolder(const std::string& folder, char drive = 0);

}  // namespace vorlix
