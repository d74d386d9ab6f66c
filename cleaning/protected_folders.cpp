// SPDX-License-Identifier: MIT
// Folders that a run which asks nothing never cleans.

#include "cleaning/protected_folders.h"

#include "cleaning/search_places.h"
#include "platform/host_folders.h"
#include "platform/user_folders.h"
#include "platform/xdg.h"

namespace vorlix {

ProtectedFolders::ProtectedFolders() : mounts_(platform::ProcessMounts()) {
  std::vector<std::pair<std::string, std::string>> guarded = {{"/", "the root folder"},
                                                              {platform::HomeDir(), "your home folder"}};
  for (const std::string& folder : platform::UserFolders()) {
    guarded.emplace_back(folder, "one of your own folders (" + folder + ")");
  }
  for (const std::string& home : platform::OtherUsersHomes()) {
    guarded.emplace_back(home, "the home folder of another user (" + home + ")");
  }
  for (auto& [path, name] : guarded) {
    if (std::optional<Judged> judged = Judge(path)) guarded_.emplace_back(std::move(*judged), std::move(name));
  }
}

std::optional<ProtectedFolders::Judged> ProtectedFolders::Judge(const std::string& path) const {
  const std::optional<std::string> real = platform::RealFolder(path);
  if (!real) return std::nullopt;
  return Judged{*real, WhereItLies(*real), platform::HostIdentityOf(*real)};
}

std::string ProtectedFolders::WhereItLies(const std::string& real_path) const {
  return platform::WhereItLies(real_path, mounts_);
}

std::optional<std::string> ProtectedFolders::Reason(const std::string& host_folder) const {
  const std::optional<Judged> folder = Judge(host_folder);
  if (!folder) return std::nullopt;
  // The same folder, by identity or by where it lies, however it was reached.
  for (const auto& [other, name] : guarded_) {
    if ((folder->identity && folder->identity == other.identity) || folder->lies == other.lies) return name;
  }
  if (IsSystemFolder(folder->lies) || IsSystemFolder(folder->real)) return "a system folder";
  for (const auto& [other, name] : guarded_) {
    if (IsInsideFolder(other.lies, folder->lies)) return "a folder that holds " + name;
  }
  return std::nullopt;
}

std::optional<std::string> ProtectedFolderReason(const std::string& host_folder) {
  return ProtectedFolders().Reason(host_folder);
}

}  // namespace vorlix
