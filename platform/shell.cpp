// SPDX-License-Identifier: MIT
// The shell: opening documents, folders and web addresses with the desktop's applications.

#include "platform/shell.h"

#include <optional>
#include <string_view>

#include "platform/ascii.h"
#include "platform/desktop_opener.h"
#include "platform/drive_paths.h"
#include "platform/file_system.h"
#include "platform/folder_entries.h"

namespace vorlix::platform {
namespace {

constexpr int kHandedOn = 42;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kNoAssociation = 31;
constexpr std::string_view kExplorer = "C:\\WINDOWS\\EXPLORER.EXE";

int Handed(int opener_code) { return opener_code == 0 ? kHandedOn : opener_code; }

bool IsWebAddress(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = text[i];
    const bool scheme_char =
        IsAsciiLetter(c) || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!scheme_char) return false;
  }
  return true;
}

bool IsRelative(std::string_view path) {
  const bool has_drive = HasDrivePart(path);
  const bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/');
  return !has_drive && !rooted;
}

std::string Unquoted(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \"");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \"");
  return std::string(text.substr(first, last - first + 1));
}

int OpenFolderInFileManager(const std::string& parameters) {
  const std::string folder = Unquoted(parameters);
  const std::optional<ResolvedPath> resolved = Resolve(folder.empty() ? GetCurrentDir() : folder);
  if (!resolved) return kPathNotFound;
  const std::optional<std::uint32_t> attributes = HostFileAttributes(resolved->host);
  if (!attributes || !(*attributes & kAttrDirectory)) return kPathNotFound;
  return Handed(CurrentDesktopOpener().OpenPath(resolved->host));
}

// A file named inside the request's folder that is an entry of that folder
// under its whole remaining name, taken byte for byte: a Linux name may hold
// a backslash, and then the name is meant, not a subfolder.
std::optional<std::string> ExactEntry(const std::string& file, const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  const std::string prefix = JoinDosPath(folder, "");
  std::string name;
  if (file.starts_with(prefix)) {
    name = file.substr(prefix.size());
  } else if (IsRelative(file)) {
    name = file;
  } else {
    return std::nullopt;
  }
  std::optional<std::string> host = EntryHostPath(folder, name);
  if (!host || !HostFileAttributes(*host)) return std::nullopt;
  return host;
}

int OpenDocument(const std::string& file, const std::string& folder) {
  if (file.empty()) return kFileNotFound;
  if (const std::optional<std::string> exact = ExactEntry(file, folder)) {
    return Handed(CurrentDesktopOpener().OpenPath(*exact));
  }
  std::string path = file;
  if (IsRelative(file) && !folder.empty()) {
    path = JoinDosPath(folder, file);
  }
  const std::optional<ResolvedPath> resolved = Resolve(path);
  if (!resolved) return kPathNotFound;
  if (!HostFileAttributes(resolved->host)) {
    const std::string parent = resolved->host.substr(0, resolved->host.find_last_of('/') + 1);
    const std::optional<std::uint32_t> parent_attributes = HostFileAttributes(parent);
    const bool parent_is_folder = parent_attributes && (*parent_attributes & kAttrDirectory);
    return parent_is_folder ? kFileNotFound : kPathNotFound;
  }
  return Handed(CurrentDesktopOpener().OpenPath(resolved->host));
}

}  // namespace

int ExecuteShellRequest(const ShellRequest& request) {
  if (!request.verb.empty() && !EqualIgnoringAsciiCase(request.verb, "open")) return kNoAssociation;
  if (EqualIgnoringAsciiCase(request.file, kExplorer)) return OpenFolderInFileManager(request.parameters);
  if (IsWebAddress(request.file)) return Handed(CurrentDesktopOpener().OpenUri(request.file));
  return OpenDocument(request.file, request.folder);
}

}  // namespace vorlix::platform
