// SPDX-License-Identifier: MIT
// Folders that a run which asks nothing never cleans.

#include "cleaning/protected_folders.h"

#include <vector>

#include "cleaning/search_places.h"
#include "platform/file_system.h"
#include "platform/host_folders.h"
#include "platform/mount_table.h"
#include "platform/user_folders.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

// A folder as it really is: its canonical path, where that lies past any
// bind mount, and its identity.
struct Judged {
  std::string real;
  std::string lies;
  std::optional<platform::FileIdentity> identity;
};

std::optional<Judged> Judge(const std::string& path, const std::vector<platform::MountEntry>& mounts) {
  const std::optional<std::string> real = platform::RealFolder(path);
  if (!real) return std::nullopt;
  return Judged{*real, platform::WhereItLies(*real, mounts), platform::HostIdentityOf(*real)};
}

// A folder the user or another user keeps their own files in, and how a
// message names it.
struct Guarded {
  std::string path;
  std::string name;
};

std::vector<Guarded> GuardedFolders() {
  std::vector<Guarded> guarded = {{"/", "the root folder"}, {platform::HomeDir(), "your home folder"}};
  for (const std::string& folder : platform::UserFolders()) {
    guarded.push_back({folder, "one of your own folders (" + folder + ")"});
  }
  for (const std::string& home : platform::OtherUsersHomes()) {
    guarded.push_back({home, "the home folder of another user (" + home + ")"});
  }
  return guarded;
}

}  // namespace

std::optional<std::string> ProtectedFolderReason(const std::string& host_folder) {
  const std::vector<platform::MountEntry> mounts = platform::ProcessMounts();
  const std::optional<Judged> folder = Judge(host_folder, mounts);
  if (!folder) return std::nullopt;
  std::vector<std::pair<Judged, const Guarded*>> judged;
  const std::vector<Guarded> guarded = GuardedFolders();
  for (const Guarded& each : guarded) {
    const std::optional<Judged> other = Judge(each.path, mounts);
    if (!other) continue;
    // The same folder, by identity or by where it lies, however it was reached.
    if ((folder->identity && folder->identity == other->identity) || folder->lies == other->lies) return each.name;
    judged.emplace_back(*other, &each);
  }
  if (IsSystemFolder(folder->lies) || IsSystemFolder(folder->real)) return "a system folder";
  for (const auto& [other, each] : judged) {
    if (IsInsideFolder(other.lies, folder->lies)) return "a folder that holds " + each->name;
  }
  return std::nullopt;
}

}  // namespace vorlix
