// SPDX-License-Identifier: MIT
// The look that a run which asks nothing takes at a folder before and after it enters it.

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

UnattendedFolder::UnattendedFolder(const std::string& folder, char drive) : folder_(folder) {
  const std::string full = platform::OnDrive(drive, folder);
  own_name_ = LastName(platform::FullPathName(full));
  if (const std::optional<platform::ResolvedPath> resolved = platform::Resolve(full)) {
    Check(resolved->dos, resolved->host);
  }
}

void UnattendedFolder::CheckEntered(const std::string& entered) const {
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(entered, false);
  Check(entered, resolved ? resolved->host : std::string());
}

void UnattendedFolder::Check(const std::string& resolved_dos, const std::string& host) const {
  if (LastName(resolved_dos) != own_name_) throw EInOutError(platform::kPathNotFound, folder_);
  if (const std::optional<std::string> reason = ProtectedFolderReason(host)) {
    throw EProtectedFolder(folder_ + " is " + *reason + ": it is never cleaned without asking.");
  }
}

}  // namespace vorlix
