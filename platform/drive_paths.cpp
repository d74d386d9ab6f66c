// SPDX-License-Identifier: MIT
// DOS paths with drive letters on a host without them.

#include "platform/drive_paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/ascii.h"
#include "platform/drive_state.h"
#include "platform/entry_attributes.h"
#include "platform/file_log.h"
#include "platform/status.h"
#include "platform/xdg.h"

namespace vorlix::platform {
namespace {

// The drive a first start maps, and where it leads.
constexpr char kDefaultDrive = 'c';
constexpr char kDefaultDriveRoot[] = "/";

DriveState process_drive_state;
DriveState* installed_drive_state = &process_drive_state;

using Components = std::vector<std::string>;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool SameStamp(const struct stat& a, const struct stat& b) {
  return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
         a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
         a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

DriveTable& Table() {
  DriveTable& table = CurrentDriveState().table;
  std::string dir = DosDevicesDir();
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0) {
    // Without its folder (not made yet, or not to be made in a missing home)
    // the drives are those a first start maps.
    table = DriveTable{dir, {}, false, {}};
    table.roots[kDefaultDrive - 'a'].emplace(kDefaultDriveRoot);
    return table;
  }
  if (table.loaded && table.dir == dir && SameStamp(table.stamp, st)) return table;
  table = DriveTable{dir, st, true, {}};
  std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(dir.c_str()), closedir);
  if (!folder) return table;
  while (const dirent* entry = readdir(folder.get())) {
    const std::string_view name = entry->d_name;
    if (name.size() != 2 || name[1] != ':' || !IsAsciiLetter(name[0])) continue;
    char resolved[PATH_MAX];
    struct stat target {};
    const std::string link = dir + "/" + std::string(name);
    if (realpath(link.c_str(), resolved) == nullptr || stat(resolved, &target) != 0 ||
        !S_ISDIR(target.st_mode)) {
      continue;
    }
    table.roots[AsciiLower(name[0]) - 'a'] = resolved;
  }
  return table;
}

CurrentDirs& Current() {
  CurrentDirs& current = CurrentDriveState().current;
  if (current.ready) return current;
  current.ready = true;
  char buffer[PATH_MAX];
  std::optional<std::string> dos;
  if (getcwd(buffer, sizeof buffer) != nullptr) dos = HostToDos(buffer);
  if (dos) {
    current.drive = (*dos)[0];
    current.dirs[current.drive - 'A'] = *dos;
  } else if (const std::vector<char> drives = MappedDrives(); !drives.empty()) {
    current.drive = AsciiUpper(drives.front());
  }
  return current;
}

// The non-empty names between separators (by default both slashes).
Components Split(std::string_view text, std::string_view separators = "\\/") {
  Components parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || separators.find(text[i]) != std::string_view::npos) {
      if (i > start) parts.emplace_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// Appends relative components to an absolute stack: "." is dropped, ".." pops
// but stops at the root.
void Walk(Components& stack, const Components& parts) {
  for (const std::string& part : parts) {
    if (part == ".") continue;
    if (part == "..") {
      if (!stack.empty()) stack.pop_back();
      continue;
    }
    stack.push_back(part);
  }
}

struct ParsedPath {
  char drive;  // upper case
  Components parts;
};

ParsedPath Parse(const std::string& path) {
  std::string_view text(path.c_str());  // ends at the first NUL
  char drive;
  Components stack;
  if (HasDrivePart(text) && IsAsciiLetter(text[0])) {
    drive = AsciiUpper(text[0]);
    text.remove_prefix(2);
    if (text.empty() || !IsSeparator(text.front())) stack = Split(GetDriveCurrentDir(drive).substr(2));
  } else {
    drive = Current().drive;
    if (text.empty() || !IsSeparator(text.front())) stack = Split(GetCurrentDir().substr(2));
  }
  Walk(stack, Split(text));
  return {drive, std::move(stack)};
}

std::string JoinDos(char drive, const Components& parts) {
  std::string dos{drive, ':', '\\'};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) dos += '\\';
    dos += parts[i];
  }
  return dos;
}

void AppendHost(std::string& host, const std::string& part) {
  if (host.back() != '/') host += '/';
  host += part;
}

bool Exists(const std::string& host) {
  struct stat st {};
  return lstat(host.c_str(), &st) == 0;
}

// The entry of a folder that equals a name without regard to ASCII case; the
// smallest in byte order when several do, so the choice is stable.
std::optional<std::string> MatchIgnoringCase(const std::string& folder, const std::string& name) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (EqualIgnoringAsciiCase(candidate, name) && (!best || candidate < *best)) best = std::string(candidate);
  }
  return best;
}

}  // namespace

std::vector<std::string> PathParts(std::string_view path) {
  Components parts;
  Walk(parts, Split(path));
  return parts;
}

DriveState& CurrentDriveState() { return *installed_drive_state; }

void InstallDriveState(DriveState* state) {
  installed_drive_state = state != nullptr ? state : &process_drive_state;
}

std::string DosDevicesDir() { return VorlixConfigDir() + "/dosdevices"; }

bool EnsureDefaultDrives() {
  const std::string dir = DosDevicesDir();
  struct stat st {};
  if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (InsideMissingHome(dir)) return false;
  const std::string config = VorlixConfigDir();
  if (mkdir(ConfigHome().c_str(), 0700) != 0 && errno != EEXIST) return false;
  if (mkdir(config.c_str(), 0700) != 0 && errno != EEXIST) return false;
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  if (symlink(kDefaultDriveRoot, (dir + "/" + kDefaultDrive + ":").c_str()) != 0 && errno != EEXIST) return false;
  return true;
}

std::vector<char> MappedDrives() {
  std::vector<char> letters;
  const DriveTable& table = Table();
  for (std::size_t i = 0; i < table.roots.size(); ++i) {
    if (table.roots[i]) letters.push_back(static_cast<char>('a' + i));
  }
  return letters;
}

std::optional<std::string> DriveRoot(char letter) {
  if (!IsAsciiLetter(letter)) return std::nullopt;
  return Table().roots[AsciiLower(letter) - 'a'];
}

std::string FullPathName(const std::string& path) {
  const ParsedPath parsed = Parse(path);
  return JoinDos(parsed.drive, parsed.parts);
}

std::optional<ResolvedPath> Resolve(const std::string& path, bool fold_last) {
  ParsedPath parsed = Parse(path);
  std::optional<std::string> root = DriveRoot(parsed.drive);
  if (!root) return std::nullopt;
  std::string host = *root;
  for (const std::string& part : parsed.parts) AppendHost(host, part);
  if (!parsed.parts.empty() && !Exists(host)) {
    // Walk the components, matching those that are not there as written.
    host = *root;
    bool parent_exists = true;
    for (std::string& part : parsed.parts) {
      std::string next = host;
      AppendHost(next, part);
      const bool may_fold = fold_last || &part != &parsed.parts.back();
      if (parent_exists && may_fold && !Exists(next)) {
        if (std::optional<std::string> match = MatchIgnoringCase(host, part)) {
          part = *match;
          next = host;
          AppendHost(next, part);
        } else {
          parent_exists = false;
        }
      }
      host = std::move(next);
    }
  }
  return ResolvedPath{parsed.drive, JoinDos(parsed.drive, parsed.parts), std::move(host)};
}

std::optional<std::string> HostToDos(const std::string& host_path) {
  if (host_path.empty() || host_path.front() != '/') return std::nullopt;
  const DriveTable& table = Table();
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < table.roots.size(); ++i) {
    if (!table.roots[i]) continue;
    const std::string& root = *table.roots[i];
    const bool inside = root == "/" || host_path == root ||
                        (host_path.compare(0, root.size(), root) == 0 && host_path[root.size()] == '/');
    if (inside && (!best || root.size() > table.roots[*best]->size())) best = i;
  }
  if (!best) return std::nullopt;
  const std::string& root = *table.roots[*best];
  const std::string_view rest = std::string_view(host_path).substr(root == "/" ? 0 : root.size());
  // A backslash is part of a host name; such a name has no DOS form.
  const Components parts = Split(rest, "/");
  for (const std::string& part : parts) {
    if (part.find('\\') != std::string::npos || part == "." || part == "..") return std::nullopt;
  }
  return JoinDos(static_cast<char>('A' + *best), parts);
}

std::string JoinDosPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (last == '\0' || last == ':' || last == '\\') return folder + name;
  return folder + '\\' + name;
}

std::string GetCurrentDir() { return GetDriveCurrentDir(Current().drive); }

std::string GetDriveCurrentDir(char letter) {
  const char drive = AsciiUpper(letter);
  if (!IsAsciiLetter(drive)) return std::string{drive, ':', '\\'};
  const std::string& dir = Current().dirs[drive - 'A'];
  return dir.empty() ? std::string{drive, ':', '\\'} : dir;
}

int SetCurrentDir(const std::string& path) {
  const std::string_view text(path.c_str());
  if (text.empty()) return kPathNotFound;
  const bool bare_drive = text.size() == 2 && HasDrivePart(text);
  const std::optional<ResolvedPath> resolved = Resolve(bare_drive ? GetDriveCurrentDir(text[0]) : path);
  if (!resolved) return kInvalidDrive;
  struct stat st {};
  if (stat(resolved->host.c_str(), &st) != 0) {
    const int error = errno;
    return Logged(PathLstatStatus(error, resolved->host), "enter", resolved->host, error);
  }
  if (!S_ISDIR(st.st_mode)) return kDirectoryInvalid;
  if (chdir(resolved->host.c_str()) != 0) {
    const int error = errno;
    return Logged(StatusFromErrno(error), "enter", resolved->host, error);
  }
  CurrentDirs& current = Current();
  current.drive = resolved->drive;
  current.dirs[resolved->drive - 'A'] = resolved->dos;
  return kOk;
}

}  // namespace vorlix::platform
