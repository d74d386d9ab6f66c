// SPDX-License-Identifier: MIT
// "Kill All ": cleans every selected folder, the typed-URL list and the history folder in one run.

#include "actions/kill_all.h"

#include <cstdint>
#include <string>

#include "actions/confirmation_reset.h"
#include "actions/delete_cache.h"
#include "actions/kill_all_selection.h"
#include "actions/slot_folder.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "cleaning/unattended_folder.h"
#include "cleaning/typed_urls.h"
#include "settings/settings_catalogue.h"
#include "support/disk_utils.h"

namespace vorlix {

bool IsUnsetUserSlot(const FolderSlot& slot, std::size_t index, const SlotHints& hints) {
  return slot.kind == SlotKind::kUser && hints.SlotHint(index).find(kUnsetMark) != std::string::npos;
}

void KillAll(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file2) {
  const std::int64_t before = SumFreeSpace();
  if (!view.ShowKillAllDialog()) return;
  const RunRecordScope record;
  const ConfirmationReset reset(state);
  std::size_t not_trashed = 0;
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const FolderSlot& slot = kFolderSlots[i];
    if (!state.kill_all[i] || IsUnsetUserSlot(slot, i, view)) continue;
    state.confirm = false;
    const SlotFolder target = ReadSlotFolder(slot, FolderReader::kKillAll, reg_file1);
    // An empty folder text names no folder: entering it would leave the view
    // where it is, and that folder's files are not this slot's to delete.
    if (target.folder.empty()) continue;
    CheckUnattendedFolder(target.folder, target.drive);
    ShowSlotFolder(target, view);
    view.SetRecycleChecked(state.use_recycle[i]);
    not_trashed += DeleteCache(state, view);
  }
  if (state.kill_all[kKillAllTypedUrlsItem]) DeleteTypedUrls(reg_file2);
  // Likewise an empty history folder (a setting of a type the store cannot read).
  if (state.kill_all[kKillAllHistoryItem] && !state.history_folder.empty()) {
    state.confirm = false;
    CheckUnattendedFolder(state.history_folder);
    view.SetTreeDirectory(state.history_folder);
    view.SetStatusText(state.history_folder);
    not_trashed += DeleteCache(state, view);
  }
  const std::int64_t after = SumFreeSpace();
  view.ShowInformation(RegainedReport(kAllFoldersCleanedLine, after - before));
  if (not_trashed > 0) view.SetStatusText(NotTrashedText(not_trashed));
}

}  // namespace vorlix
