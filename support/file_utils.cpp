// SPDX-License-Identifier: MIT
// Moving single files to the trash and copying them.

#include "support/file_utils.h"

#include <ctime>
#include <optional>

#include "platform/drive_paths.h"
#include "platform/entry_attributes.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/folder_entries.h"
#include "platform/trash.h"

namespace vorlix {
namespace {

constexpr std::size_t kCopyBufferSize = 4096;

// Windows keeps file dates in local time to even seconds.
std::timespec ToTwoSeconds(const std::timespec& time) {
  std::tm local{};
  localtime_r(&time.tv_sec, &local);
  return {time.tv_sec - local.tm_sec % 2, 0};
}

// Copies between two host paths; nothing when a path could not be formed.
unsigned CopyHostFile(const std::optional<std::string>& source, const std::optional<std::string>& destination) {
  if (!source || !platform::HostFileAttributes(*source)) return kCopySourceUnreadable;
  std::optional<platform::SourceFile> in = platform::SourceFile::Open(*source);
  if (!in) return kCopySourceUnreadable;
  if (!destination) return kCopyDestinationNotCreated;
  // Without Windows' exclusive open, a copy onto the source itself would empty it.
  if (platform::HostIdentityOf(*source) == platform::HostIdentityOf(*destination)) return kCopyDestinationNotCreated;
  std::optional<platform::ReplacementFile> out = platform::ReplacementFile::Create(*destination);
  if (!out) return kCopyDestinationNotCreated;
  char buffer[kCopyBufferSize];
  ssize_t got;
  do {
    got = in->Read(buffer, sizeof buffer);
    if (got < 0) return kCopyReadFailed;
    if (!out->Write(buffer, static_cast<std::size_t>(got))) return kCopyWriteFailed;
  } while (static_cast<std::size_t>(got) == sizeof buffer);
  const std::optional<std::timespec> written = in->LastWriteTime();
  const std::optional<mode_t> permissions = in->Permissions();
  if (!written || !permissions) return kCopyDateUnreadable;
  if (!out->SetTimeAndPermissions(ToTwoSeconds(*written), *permissions)) return kCopyWriteFailed;
  if (!out->Flush()) return kCopyWriteFailed;
  return out->Commit() ? kCopyComplete : kCopyDestinationNotCreated;
}

std::optional<std::string> HostOf(const std::string& path) {
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(path);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

}  // namespace

bool RecycleFile(const std::string& path) {
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(path);
  if (!resolved) return false;
  std::string name;
  const platform::UniqueFd folder = platform::OpenHolder(resolved->host, name);
  return folder.ok() && platform::MoveToTrash(folder.get(), name, resolved->host);
}

unsigned DuplicateFile(const std::string& source, const std::string& destination) {
  return CopyHostFile(HostOf(source), HostOf(destination));
}

unsigned DuplicateEntry(const std::string& folder, const std::string& name, const std::string& destination_folder) {
  return CopyHostFile(platform::EntryHostPath(folder, name), platform::EntryHostPath(destination_folder, name));
}

}  // namespace vorlix
