// SPDX-License-Identifier: MIT
// Folders that a run which asks nothing never cleans.

#include "cleaning/protected_folders.h"

#include <array>
#include <string_view>

#include "platform/host_folders.h"
#include "platform/user_folders.h"
#include "platform/xdg.h"

namespace vorlix {
namespace {

// The system's folders whose whole tree belongs to the system.
constexpr std::array<std::string_view, 11> kSystemTrees = {
    "/usr", "/etc", "/bin", "/sbin", "/boot", "/lib", "/lib32", "/lib64", "/libx32", "/proc", "/sys"};

// Folders that hold other folders of the system or of its users: themselves
// never, while a cache below them may be cleaned.
constexpr std::array<std::string_view, 14> kSystemFolders = {
    "/home", "/var", "/var/tmp", "/var/cache", "/tmp", "/opt", "/srv", "/mnt", "/media", "/root", "/run", "/dev",
    "/dev/shm", "/run/user"};

bool Inside(std::string_view path, std::string_view tree) {
  return path == tree || (path.starts_with(tree) && path[tree.size()] == '/');
}

// The real path of a folder, or the text itself when it cannot be resolved
// (a folder that does not exist matches nothing real).
std::string RealOr(const std::string& path) { return platform::RealFolder(path).value_or(path); }

}  // namespace

std::optional<std::string> ProtectedFolderReason(const std::string& host_folder) {
  const std::optional<std::string> real = platform::RealFolder(host_folder);
  if (!real) return std::nullopt;
  if (*real == "/") return "the root folder";
  if (*real == RealOr(platform::HomeDir())) return "your home folder";
  for (const std::string& folder : platform::UserFolders()) {
    if (*real == RealOr(folder)) return "one of your own folders (" + folder + ")";
  }
  for (const std::string_view tree : kSystemTrees) {
    if (Inside(*real, tree)) return "a system folder";
  }
  for (const std::string_view folder : kSystemFolders) {
    if (*real == folder) return "a system folder";
  }
  return std::nullopt;
}

}  // namespace vorlix
