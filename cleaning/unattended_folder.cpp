// SPDX-License-Identifier: MIT
// The look that a run which asks nothing takes at a folder before it enters it.

#include "cleaning/unattended_folder.h"

#include <optional>

#include "cleaning/protected_folders.h"
#include "platform/drive_paths.h"
#include "platform/status.h"
#include "support/in_out_error.h"

namespace vorlix {
namespace {

std::string LastName(const std::string& dos_path) { return dos_path.substr(dos_path.rfind('\\') + 1); }

}  // namespace

void CheckUnattendedFolder(const std::string& folder, char drive) {
  const std::string full =
      drive == 0 || platform::HasDrivePart(folder) ? folder : std::string{drive, ':'} + folder;
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(full);
  if (!resolved) return;
  if (LastName(resolved->dos) != LastName(platform::FullPathName(full))) {
    throw EInOutError(platform::kPathNotFound, folder);
  }
  if (const std::optional<std::string> reason = ProtectedFolderReason(resolved->host)) {
    throw EProtectedFolder(folder + " is " + *reason + ": it is never cleaned without asking.");
  }
}

}  // namespace vorlix
