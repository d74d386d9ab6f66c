// SPDX-License-Identifier: MIT
// Path rules for searches that walk the user's own folders.
#include "cleaning/search_places.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vorlix {
namespace {

// System trees: the folder and everything below it.
constexpr std::array<std::string_view, 13> kSystemTrees = {"/usr", "/etc",  "/bin", "/sbin", "/boot",
                                                           "/opt", "/srv",  "/snap", "/proc", "/sys",
                                                           "/dev", "/run",  "/lost+found"};
// Below /var lie the system's databases, logs, spools and mail; only its
// scratch and cache folders hold what may be emptied.
constexpr std::array<std::string_view, 2> kOpenBelowVar = {"/var/tmp", "/var/cache"};
// Shared folders: only the folder itself; below them lie folders of users.
// (/root is root's home: to every other user it is another user's home.)
constexpr std::array<std::string_view, 5> kSharedFolders = {"/home", "/tmp", "/mnt", "/media", "/root"};

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
  if (top.starts_with("/lib") || std::find(kSystemTrees.begin(), kSystemTrees.end(), top) != kSystemTrees.end()) {
    return true;
  }
  if (top == "/var") {
    return std::none_of(kOpenBelowVar.begin(), kOpenBelowVar.end(), [&](std::string_view open) {
      return path.size() > open.size() && IsInsideFolder(path, std::string(open));
    });
  }
  return std::find(kSharedFolders.begin(), kSharedFolders.end(), path) != kSharedFolders.end();
}

}  // namespace vorlix
