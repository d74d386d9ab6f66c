// SPDX-License-Identifier: MIT
// The desktop's user folders.

#include "platform/user_folders.h"

#include <array>
#include <fstream>
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

}  // namespace vorlix::platform
