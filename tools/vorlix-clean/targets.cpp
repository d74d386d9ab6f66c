// SPDX-License-Identifier: MIT
// Entering the folders a run names.

#include "tools/vorlix-clean/targets.h"

#include <optional>
#include <vector>

#include "platform/drive_paths.h"
#include "platform/host_folders.h"
#include "platform/status.h"
#include "support/in_out_error.h"

namespace vorlix::clean_tool {

std::string EnterFolder(char drive, const std::string& folder) {
  if (drive != 0) ChDir(std::string{drive, ':'});
  ChDir(platform::OnDrive(drive, folder));
  return platform::GetCurrentDir();
}

std::string DosPathOf(const std::string& given) {
  if (!given.starts_with('/')) return given;
  // Read as `cd` reads it and as the program reads every path: "." and ".."
  // by name, "\" a separator too.
  const std::vector<std::string> parts = platform::PathParts(given);
  // Every part must be there exactly as written: a Linux path is never
  // matched in another letter case, and the first part missing is named.
  std::string host = "/";
  for (const std::string& name : parts) {
    const std::string next = platform::JoinHostPath(host, name);
    if (!platform::RealFolder(next)) throw EInOutError(platform::kPathNotFound, given, host + " holds no folder " + name);
    host = next;
  }
  const std::optional<std::string> dos = platform::HostToDos(host);
  if (!dos) throw EInOutError(platform::kPathNotFound, given, "no drive holds it");
  return *dos;
}

}  // namespace vorlix::clean_tool
