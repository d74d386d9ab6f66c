// SPDX-License-Identifier: MIT
// The main window's activation handler.

#include "actions/activation.h"

#include <exception>

#include "actions/delete_method.h"
#include "cleaning/ie5_cache_folders.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/folder_helpers.h"
#include "support/message_text.h"

namespace vorlix {
namespace {

constexpr std::size_t kFirstUserSlot = 8;

}  // namespace

std::string StartFolderMissingMessage() {
  const std::string visit = std::string("Visit the ") + kSupportAddress + " support BBS for help.";
  return JoinLines({"Cannot find the default Internet Explorer folders,", "this version of Vorlix Pro automatically",
                    "detects the cache folders for IE 5.0 only. If you",
                    "have an older version, you need to look in the help",
                    "file to see how to manually select the cache folders.", "", visit});
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
