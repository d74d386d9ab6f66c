// SPDX-License-Identifier: MIT
// Folders that a run which asks nothing never cleans: the root folder, the
// home folder, the desktop's user folders, other users' home folders, the
// folders that hold any of these, and the system's own folders. A cache is
// never one of them, and emptying one of them by a stored setting or a
// typing slip would lose the user's or the system's files for good.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/mount_table.h"

namespace vorlix {

// Why a host folder must not be cleaned without asking ("the root folder",
// "your home folder", "a folder that holds your home folder", ...), judged by
// what the folder is: its identity (device and inode) and where it really
// lies past links and bind mounts, so that a link, a drive or a bind mount
// leading there counts as the folder itself; nothing for any other folder,
// and for one that does not exist.
std::optional<std::string> ProtectedFolderReason(const std::string& host_folder);

// The same for many folders in a row (a search of caches): the protected
// folders and the mounts are looked at once, when it is made.
class ProtectedFolders {
 public:
  ProtectedFolders();
  std::optional<std::string> Reason(const std::string& host_folder) const;
  // Where a canonical path really lies, past bind mounts, by the mounts read
  // when this was made.
  std::string WhereItLies(const std::string& real_path) const;

 private:
  // A folder as it really is: its canonical path, where that lies past any
  // bind mount, and its identity.
  struct Judged {
    std::string real;
    std::string lies;
    std::optional<platform::FileIdentity> identity;
  };

  std::optional<Judged> Judge(const std::string& path) const;

  std::vector<platform::MountEntry> mounts_;
  std::vector<std::pair<Judged, std::string>> guarded_;  // each with how a message names it
};

}  // namespace vorlix
