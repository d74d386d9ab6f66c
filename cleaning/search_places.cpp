// SPDX-License-Identifier: MIT
// Path rules for searches that walk the user's own folders.
#include "cleaning/search_places.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vorlix {
namespace {

// System trees: the folder and everything below it.
constexpr std::array<std::string_view, 7> kSystemTrees = {"/usr", "/etc", "/bin", "/sbin", "/boot", "/proc", "/sys"};
// Shared folders: only the folder itself; below them lie folders of users and
// programs' scratch folders.
// (/root is left to the home folder's own rules: it is root's home.)
constexpr std::array<std::string_view, 13> kSharedFolders = {"/var", "/var/tmp", "/var/cache", "/home", "/tmp",
                                                             "/run", "/run/user", "/dev", "/dev/shm", "/mnt",
                                                             "/media", "/opt", "/srv"};

// The first component of an absolute path, with its slash ("/usr" of "/usr/lib").
std::string_view TopFolder(std::string_view path) {
  const std::size_t slash = path.find('/', 1);
  return slash == std::string_view::npos ? path : path.substr(0, slash);
}

}  // namespace

bool IsInsideFolder(const std::string& path, const std::string& root) {
  return path == root || (path.starts_with(root) && (root == "/" || path[root.size()] == '/'));
}

bool IsSystemFolder(const std::string& path) {
  if (path == "/") return true;
  const std::string_view top = TopFolder(path);
  const bool system_tree = top.starts_with("/lib") ||
                           std::find(kSystemTrees.begin(), kSystemTrees.end(), top) != kSystemTrees.end();
  return system_tree || std::find(kSharedFolders.begin(), kSharedFolders.end(), path) != kSharedFolders.end();
}

}  // namespace vorlix
