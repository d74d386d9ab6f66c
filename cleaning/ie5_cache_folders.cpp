// SPDX-License-Identifier: MIT
// Finds Internet Explorer 5's cache folders beside a missing start folder.
#include "cleaning/ie5_cache_folders.h"

#include <vector>

#include "platform/file_system.h"
#include "settings/settings_catalogue.h"
#include "support/folder_helpers.h"

namespace vorlix {
namespace {

constexpr std::size_t kShortText = 255;
constexpr int kDetectedSlots = 8;

}  // namespace

int DetectCacheFolders(const std::string& start_folder, TRegFile& reg_file1) {
  const std::string base = (FolderPartOf(start_folder.substr(0, kShortText)) + "\\").substr(0, kShortText);
  std::vector<platform::FoundEntry> found;
  platform::FindFiles(base + "*.",
                      platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem |
                          platform::kAttrDirectory | platform::kAttrArchive,
                      found);
  int qualified = 0;
  for (const platform::FoundEntry& entry : found) {
    const std::string candidate = base + entry.name;
    if (entry.name.find('.') != std::string::npos || !FolderCanBeEntered(candidate)) continue;
    if (++qualified <= kDetectedSlots) {
      const FolderSlot& slot = kFolderSlots[static_cast<std::size_t>(qualified - 1)];
      reg_file1.WriteValue(slot.FolderValue(), candidate);
      reg_file1.WriteValue(slot.HintValue(), candidate);
    }
  }
  return qualified;
}

}  // namespace vorlix
