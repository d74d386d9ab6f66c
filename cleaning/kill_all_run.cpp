#include "cleaning/kill_all_run.h"

#include <cstdint>
#include <string>

#include "cleaning/confirmation_reset.h"
#include "cleaning/folder_cleaning.h"
#include "cleaning/kill_all_selection.h"
#include "cleaning/regained_report.h"
#include "cleaning/typed_urls.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "support/disk_utils.h"

namespace vorlix {
namespace {

bool IsUnsetUserSlot(const FolderSlot& slot, std::size_t index, const SlotHints& hints) {
  return slot.kind == SlotKind::kUser && hints.SlotHint(index).find(kUnsetMark) != std::string::npos;
}

struct SlotFolder {
  char drive;
  std::string folder;
};

// The slot's stored drive and folder, with the run's defaults.
SlotFolder ReadSlotFolder(const FolderSlot& slot, TRegFile& reg_file1) {
  const std::string drive_text = ReadText(reg_file1, slot.DriveValue(), kDriveDefault);
  // A drive value emptied outside the program falls back to the default drive.
  const char drive = drive_text.empty() ? kDriveDefault.front() : drive_text.front();
  return {drive, ReadText(reg_file1, slot.FolderValue(), slot.DefaultFolder(FolderReader::kKillAll))};
}

// Points the folder view at a slot's folder, as a slot load does.
void ShowSlotFolder(const SlotFolder& target, FolderView& view) {
  view.SetDriveBoxDrive(target.drive);
  view.SetTreeDrive(target.drive);
  view.SetTreeDirectory(target.folder);
  view.SetStatusText(target.folder);
}

}  // namespace

void BitBtn1Click(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file2) {
  const std::int64_t before = SumFreeSpace();
  if (!view.ShowKillAllDialog()) return;
  const ConfirmationReset reset(state);
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const FolderSlot& slot = kFolderSlots[i];
    if (!state.kill_all[i] || IsUnsetUserSlot(slot, i, view)) continue;
    state.confirm = false;
    const SlotFolder target = ReadSlotFolder(slot, reg_file1);
    // An empty folder text names no folder: entering it would leave the view
    // where it is, and that folder's files are not this slot's to delete.
    if (target.folder.empty()) continue;
    ShowSlotFolder(target, view);
    view.SetRecycleChecked(state.use_recycle[i]);
    BitBtn2Click(state, view, view, view);
  }
  if (state.kill_all[kKillAllTypedUrlsItem]) DeleteTypedUrls(reg_file2);
  // Likewise an empty history folder (a setting of a type the store cannot read).
  if (state.kill_all[kKillAllHistoryItem] && !state.history_folder.empty()) {
    state.confirm = false;
    view.SetTreeDirectory(state.history_folder);
    view.SetStatusText(state.history_folder);
    BitBtn2Click(state, view, view, view);
  }
  const std::int64_t after = SumFreeSpace();
  view.ShowInformation(RegainedReport(kAllFoldersCleanedLine, after - before));
}

}  // namespace vorlix
