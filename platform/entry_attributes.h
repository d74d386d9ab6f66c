// SPDX-License-Identifier: MIT
// How one folder entry's status reads as Windows file attributes, and the
// rules for changing and deleting it; shared by the path-based calls of
// file_system.h and the folder-relative ones of folder_entries.h.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/unique_fd.h"

namespace vorlix::platform {

// The attributes of an entry from its own status (links not followed).
// `leads_to_folder` tells whether it is a folder or a link to one.
std::uint32_t AttributesOf(std::string_view name, const struct stat& own, bool leads_to_folder);

// Whether an entry of an open folder is a folder or a link to one.
bool LeadsToFolder(int dir_fd, const char* name, const struct stat& own);

// The permission bits after setting or clearing read-only: clearing gives the
// owner write permission, setting removes every write permission.
mode_t ModeWithReadOnly(mode_t mode, std::uint32_t attributes);

// Why an entry may not be deleted as a file: status 5 for a folder and for a
// read-only file (a link is never read-only); 0 otherwise.
int DeleteRefusal(const struct stat& own);

// Sets or clears read-only on the entry `name` of an open folder (which may be
// opened for reaching its entries only); a link is left as it is. `path`
// names the entry in the failure log. Returns a status code.
int SetEntryReadOnly(int folder_fd, const char* name, std::uint32_t attributes, const std::string& path);
// Deletes the entry `name` of an open folder as a file (a link as the link),
// after DeleteRefusal. Returns a status code.
int DeleteEntry(int folder_fd, const char* name, const std::string& path);
// Deletes the entry `name` of an open folder as a file, with no look at it
// first: one system call. A link goes as the link; a folder refuses (EISDIR);
// a read-only file goes. Returns 0, or the system's error number (logged).
int UnlinkEntryError(int folder_fd, const char* name, const std::string& path);
// UnlinkEntryError, answering with a status code.
int UnlinkEntry(int folder_fd, const char* name, const std::string& path);

// The folder that holds the entry a host path names, opened for reaching its
// entries only (search permission on it is enough), and the entry's name in
// it; the root folder stands as its own entry ".". An invalid descriptor, with
// errno set, when the folder cannot be opened.
UniqueFd OpenHolder(const std::string& host_path, std::string& name);

// The status of a failed lstat: 2 for a missing name.
int LstatStatus(int error_number);
// The same for a host path: 3 when the name is missing because its folder is,
// as Windows reports a missing path.
int PathLstatStatus(int error_number, const std::string& host_path);

}  // namespace vorlix::platform
