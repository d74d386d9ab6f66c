// SPDX-License-Identifier: MIT
// DOS paths with drive letters on a host without them.
//
// Drive letters map to host folders through symbolic links in
// VorlixConfigDir()/dosdevices ("c:" -> "/"). Paths inside the program are DOS
// paths ("C:\home\ann\.cache"); this module translates them to host paths and
// keeps the current directory the Windows way: one per drive, plus the
// process's current drive. Changing the current directory also changes the
// process's real one.
//
// Translation rules:
// - "\" and "/" separate components; repeated separators collapse; the text ends
//   at its first NUL byte.
// - "X:\a" is absolute on drive X, "X:a" relative to drive X's current
//   directory, "\a" absolute on the current drive, "a" relative to the current
//   directory.
// - "." is dropped and ".." removes the previous component but never climbs
//   above the drive's root, so no DOS path names anything outside its drive's
//   folder. Symbolic links inside the drive are left to the system.
// - A component that does not exist as written is matched against the folder's
//   entries without regard to ASCII letter case; the resolved DOS path then
//   carries the case stored on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix::platform {

std::string DosDevicesDir();

// Creates the dosdevices folder with "c:" -> "/" when it does not exist yet.
// Returns false when it cannot be created, and never creates it inside a
// home folder that does not exist. While the folder is missing, the drives
// are those it would map: "c:" -> "/".
bool EnsureDefaultDrives();

// The mapped drive letters, lower case, in alphabetical order: those whose link
// leads to an existing folder.
std::vector<char> MappedDrives();

// The canonical host folder of a drive (letter in either case), if it is mapped.
std::optional<std::string> DriveRoot(char letter);

struct ResolvedPath {
  char drive = 'C';   // upper case
  std::string dos;    // full DOS path, upper-case drive letter, on-disk case where it exists
  std::string host;   // the host path inside the drive's folder
};

// The full DOS path of a path, as the system would report it: upper-case drive
// letter, separators and dot components resolved, case kept as written.
std::string FullPathName(const std::string& path);

// A name inside a DOS folder: a backslash between them unless the folder is
// empty or already ends in "\", ":" or NUL ("C:\a" + "b" -> "C:\a\b",
// "c:" + "b" -> "c:b"). With an empty name, the folder with its delimiter.
std::string JoinDosPath(const std::string& folder, const std::string& name);

// Whether a DOS path text begins with a drive part ("c:", "C:\x", "c:x"):
// its second character is a colon.
constexpr bool HasDrivePart(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

// A folder as stored for a drive: on drive `drive` unless it names a drive of
// its own, and as it stands when `drive` is 0 ("\temp" on 'c' -> "c:\temp").
inline std::string OnDrive(char drive, const std::string& folder) {
  return drive == 0 || HasDrivePart(folder) ? folder : std::string{drive, ':'} + folder;
}

// The names of a path between its separators ("\" and "/"), with "." dropped
// and ".." taking away the name before it (never climbing above the start),
// as every path of the program is read: "/a/./b/../c" gives {"a", "c"}.
std::vector<std::string> PathParts(std::string_view path);

// Translates a DOS path; nothing when its drive is not mapped. With
// `fold_last` false the last component is taken only as written: a folder
// that has vanished then stays missing instead of leading to a twin of it
// in another letter case.
std::optional<ResolvedPath> Resolve(const std::string& path, bool fold_last = true);

// The DOS path of a host path inside some drive's folder (the drive with the
// longest matching root wins); nothing when no drive holds it or a component
// cannot be written as a DOS name.
std::optional<std::string> HostToDos(const std::string& host_path);

// The process's current directory as a full DOS path, e.g. "C:\home\ann".
std::string GetCurrentDir();

// The current directory of one drive (letter in either case); the drive's root
// until it was changed.
std::string GetDriveCurrentDir(char letter);

// Makes a folder the current directory. A bare drive ("D:") switches to that
// drive's own current directory. Returns a status code: 0 on success, 2 the
// folder does not exist, 3 nor does the folder above it, 15 drive not mapped,
// 267 not a folder, 5 no access.
int SetCurrentDir(const std::string& path);

}  // namespace vorlix::platform
