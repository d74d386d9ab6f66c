// SPDX-License-Identifier: MIT

#include "cleaning/listed_files.h"

#include <cstdint>
#include <optional>

#include "platform/file_system.h"
#include "platform/folder_entries.h"
#include "platform/status.h"

namespace vorlix {
namespace {

bool DeleteOnce(const platform::FolderEntries& folder, const std::string& name, bool recycle) {
  return recycle ? folder.Trash(name) : folder.Delete(name) == platform::kOk;
}

}  // namespace

void DeleteListedFiles(const std::string& folder, const std::vector<std::string>& names, bool recycle) {
  const std::optional<platform::FolderEntries> entries = platform::FolderEntries::Open(folder);
  if (!entries) return;
  for (const std::string& name : names) {
    // A file list never shows hidden entries; should one appear, it stays.
    if (name.starts_with('.')) continue;
    if (DeleteOnce(*entries, name, recycle)) continue;
    const std::optional<std::uint32_t> attributes = entries->Attributes(name);
    if (!attributes) continue;  // gone meanwhile: nothing to retry
    const bool was_read_only = (*attributes & platform::kAttrReadOnly) != 0;
    const bool cleared =
        was_read_only && entries->SetAttributes(name, *attributes & ~platform::kAttrReadOnly) == platform::kOk;
    if (DeleteOnce(*entries, name, recycle) || !cleared) continue;
    // The entry stays: give it its protection back. Should that fail too,
    // there is nothing more to do for it; the run goes on.
    entries->SetAttributes(name, *attributes);
  }
}

}  // namespace vorlix
