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

// Points the folder view at a slot's stored folder, as a slot load does, and
// takes the slot's own recycle choice.
void ShowSlotFolder(const FolderSlot& slot, bool use_recycle, FolderView& view, TRegFile& reg_file1) {
  const std::string drive_text = ReadText(reg_file1, slot.DriveValue(), kDriveDefault);
  // A drive value emptied outside the program falls back to the default drive.
  const char drive = drive_text.empty() ? kDriveDefault.front() : drive_text.front();
  const std::string folder = ReadText(reg_file1, slot.FolderValue(), slot.DefaultFolder(FolderReader::kKillAll));
  view.SetDriveBoxDrive(drive);
  view.SetTreeDrive(drive);
  view.SetTreeDirectory(folder);
  view.SetStatusText(folder);
  view.SetRecycleChecked(use_recycle);
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
    ShowSlotFolder(slot, state.use_recycle[i], view, reg_file1);
    BitBtn2Click(state, view, view, view);
  }
  if (state.kill_all[kKillAllTypedUrlsItem]) DeleteTypedUrls(reg_file2);
  if (state.kill_all[kKillAllHistoryItem]) {
    state.confirm = false;
    view.SetTreeDirectory(state.history_folder);
    view.SetStatusText(state.history_folder);
    BitBtn2Click(state, view, view, view);
  }
  const std::int64_t after = SumFreeSpace();
  view.ShowInformation(RegainedReport(kAllFoldersCleanedLine, after - before));
}

}  // namespace vorlix
