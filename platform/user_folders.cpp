// SPDX-License-Identifier: MIT
// The desktop's user folders.

#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <mutex>
#include <string_view>

#include "platform/xdg.h"

namespace vorlix::platform {
namespace {

constexpr std::array<std::string_view, 8> kUsualNames = {"Desktop",  "Documents", "Downloads", "Music",
                                                         "Pictures", "Videos",    "Templates", "Public"};

// The folder of one `XDG_NAME_DIR="$HOME/Name"` line; empty for other lines.
std::string FolderOfLine(std::string_view line, const std::string& home) {
  if (!line.starts_with("XDG_")) return {};
  const std::size_t equals = line.find("=\"");
  if (equals == std::string_view::npos || !line.substr(0, equals).ends_with("_DIR")) return {};
  std::string_view value = line.substr(equals + 2);
  const std::size_t close = value.rfind('"');
  if (close == std::string_view::npos) return {};
  value = value.substr(0, close);
  if (value.starts_with("$HOME")) return home + std::string(value.substr(5));
  if (value.starts_with('/')) return std::string(value);
  return {};
}

}  // namespace

std::vector<std::string> UserFolders() {
  const std::string home = HomeDir();
  std::vector<std::string> folders;
  for (const std::string_view name : kUsualNames) folders.push_back(home + "/" + std::string(name));
  std::ifstream dirs(ConfigHome() + "/user-dirs.dirs");
  for (std::string line; std::getline(dirs, line);) {
    if (std::string folder = FolderOfLine(line, home); !folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

std::vector<std::string> OtherUsersHomes() {
  // The database is read through one shared position: one reader at a time.
  static std::mutex reading;
  const std::scoped_lock lock(reading);
  std::vector<std::string> homes;
  setpwent();
  passwd entry {};
  std::array<char, 4096> buffer{};
  passwd* found = nullptr;
  while (getpwent_r(&entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    const std::string_view home = found->pw_dir != nullptr ? found->pw_dir : "";
    if (found->pw_uid != getuid() && home.starts_with('/') && home != "/") homes.emplace_back(home);
  }
  endpwent();
  return homes;
}

}  // namespace vorlix::platform
