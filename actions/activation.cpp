// SPDX-License-Identifier: MIT
// The main window's activation handler.

#include "actions/activation.h"

#include <exception>
#include <vector>

#include "actions/delete_method.h"
#include "platform/file_system.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/folder_helpers.h"
#include "support/message_text.h"

namespace vorlix {
namespace {

constexpr std::size_t kShortText = 255;
constexpr std::size_t kFirstUserSlot = 8;
constexpr int kDetectedSlots = 8;

}  // namespace

std::string StartFolderMissingMessage() {
  const std::string visit = std::string("Visit the ") + kSupportAddress + " support BBS for help.";
  return JoinLines({"Cannot find the default Internet Explorer folders,", "this version of Vorlix Pro automatically",
                    "detects the cache folders for IE 5.0 only. If you",
                    "have an older version, you need to look in the help",
                    "file to see how to manually select the cache folders.", "", visit});
}

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

void ActivateMainWindow(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file6) {
  state.confirm = true;
  LoadUseRecycleFlags(state, reg_file1);
  for (std::size_t i = kFirstUserSlot; i < kFolderSlots.size(); ++i) {
    view.SetSlotHint(i, ReadText(reg_file1, kFolderSlots[i].HintValue(), kUnsetText));
  }
  const std::string start_value = kFolderSlots[0].FolderValue();
  state.start_folder = ReadText(reg_file1, start_value, kStartFolderDefault);
  if (!FolderCanBeEntered(state.start_folder) && DetectCacheFolders(state.start_folder, reg_file1) > 0) {
    state.start_folder = ReadText(reg_file1, start_value, kDetectedStartFolderDefault);
  }
  try {
    view.SetTreeDirectory(state.start_folder);
    view.SetDriveBoxDrive(view.TreeDrive());
    view.SetStatusText(state.start_folder);
  } catch (const std::exception&) {
    view.ShowInformation(StartFolderMissingMessage());
  }
  state.history_folder = ReadText(reg_file6, std::string(kHistoryFolderValue), kHistoryFolderDefault);
  view.SetRecycleChecked(state.use_recycle[0]);
}

}  // namespace vorlix
