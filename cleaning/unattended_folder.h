// SPDX-License-Identifier: MIT
// The look that a run which asks nothing (Kill All, vorlix-clean) takes at a
// folder before and after it enters it to clean it: only the folder named,
// and never a folder that holds the user's or the system's own files.
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

// A folder as written (a DOS path; one without drive letter is taken on
// `drive`, or on the current drive when `drive` is 0). Its own last name must
// be there exactly as written: letter-case folding may find the folders above
// it, but a folder that has vanished is missing, never its twin in another
// case (EInOutError, the folder does not exist). It must not be the root
// folder, the home folder, one of the user's own folders or a system folder
// (EProtectedFolder).
class UnattendedFolder {
 public:
  // Checks the folder before it is entered, so that a refused one is never
  // entered; a folder that cannot be resolved at all passes: entering it
  // tells why.
  UnattendedFolder(const std::string& folder, char drive = 0);

  // Checks the folder that entering it led to (its full DOS path as the
  // system reports it), since the folder may have changed in between.
  void CheckEntered(const std::string& entered) const;

 private:
  void Check(const std::string& resolved_dos, const std::string& host) const;

  std::string folder_;
  std::string own_name_;  // the last name as written
};

}  // namespace vorlix
