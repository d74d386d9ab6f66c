// SPDX-License-Identifier: MIT
// "Kill All ": cleans every selected folder, the typed-URL list and the history folder in one run.

#include "actions/kill_all.h"

#include <string>

#include "actions/confirmation_reset.h"
#include "actions/delete_cache.h"
#include "actions/slot_folder.h"
#include "cleaning/cleaning_run.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "cleaning/typed_urls.h"

namespace vorlix {
namespace {

// The run's targets as the window holds them: the selection and the methods
// of the program's state, set up or not by the buttons' hints, each selected
// slot's place as stored, and the history folder with the check box as it
// stands.
StoredTargets WindowTargets(const ProgramState& state, MainView& view, TRegFile& reg_file1) {
  StoredTargets targets;
  for (std::size_t i = 0; i < kFolderSlots.size(); ++i) {
    const FolderSlot& slot = kFolderSlots[i];
    if (!state.kill_all[i]) continue;
    const bool unset = IsUnsetUserSlot(slot, view.SlotHint(i));
    const SlotPlace place = unset ? SlotPlace{} : ReadSlotPlace(slot, FolderReader::kKillAll, reg_file1);
    targets.slot_targets[i] = {TargetKind::kFolder, SlotName(i), place.drive, place.folder, state.use_recycle[i], true,
                        unset};
  }
  targets.history = {TargetKind::kFolder, "history", 0, state.history_folder, view.RecycleChecked(),
                     state.kill_all[kKillAllHistoryItem], false};
  targets.typed_urls = {TargetKind::kTypedUrls, "typed-urls", 0, {}, false, state.kill_all[kKillAllTypedUrlsItem],
                        false};
  return targets;
}

// Brings each folder into the window and empties it as "Delete Cache" does,
// without asking.
class WindowRun : public RunFrontEnd {
 public:
  WindowRun(ProgramState& state, MainView& view, TRegFile& reg_file2)
      : state_(state), view_(view), reg_file2_(reg_file2) {}

  std::string EnterFolder(const CleaningTarget& target) override {
    state_.confirm = false;
    if (target.drive != 0) {
      ShowSlotFolder({target.drive, target.folder}, view_);
    } else {
      view_.SetTreeDirectory(target.folder);
    }
    return view_.TreeDirectory();
  }

  LeftFiles CleanFolder(const CleaningTarget& target, const std::string& /*entered*/) override {
    if (target.drive != 0) {
      view_.SetRecycleChecked(target.recycle);
    } else {
      view_.SetStatusText(target.folder);
    }
    return DeleteCache(state_, view_, FileListing(view_));
  }

  bool CleanTypedUrls() override {
    DeleteTypedUrls(reg_file2_);
    return true;
  }

 private:
  ProgramState& state_;
  MainView& view_;
  TRegFile& reg_file2_;
};

}  // namespace

void KillAll(ProgramState& state, MainView& view, TRegFile& reg_file1, TRegFile& reg_file2) {
  if (!view.ShowKillAllDialog()) return;
  const RunRecordScope record;
  const ConfirmationReset reset(state);
  WindowRun run(state, view, reg_file2);
  const LeftFiles left = RunCleaning(PlanRun(WindowTargets(state, view, reg_file1), state.kill_all), run);
  view.ShowInformation(RegainedReport(kAllFoldersCleanedLine, left.FreedBytes()));
  if (const std::string status = left.Text(record.Problems()); !status.empty()) view.SetStatusText(status);
}

}  // namespace vorlix
