// SPDX-License-Identifier: MIT
// "Delete Cache": empties the folder the file list shows, asking first and reporting after.

#include "actions/delete_cache.h"

#include <string>

#include "actions/confirmation_reset.h"
#include "cleaning/left_files.h"
#include "cleaning/listed_files.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "support/message_text.h"

namespace vorlix {
namespace {

// Shows the busy cursor for as long as it lives.
class BusyWhileAlive {
 public:
  explicit BusyWhileAlive(BusyCursor& cursor) : cursor_(cursor) { cursor_.SetBusy(true); }
  BusyWhileAlive(const BusyWhileAlive&) = delete;
  BusyWhileAlive& operator=(const BusyWhileAlive&) = delete;
  ~BusyWhileAlive() { cursor_.SetBusy(false); }

 private:
  BusyCursor& cursor_;
};

// Tells why the listed files were not all deleted.
void ReportUnfinished(DeleteOutcome outcome, const std::string& folder, MessageBoxes& boxes) {
  if (outcome == DeleteOutcome::kFolderChanged) {
    boxes.ShowInformation(JoinLines({"The following directory has changed since its files were listed:", folder,
                                     "Nothing has been deleted."}));
  } else if (outcome == DeleteOutcome::kFolderSwapped) {
    boxes.ShowInformation(JoinLines({"The following directory was moved or replaced while its files were being "
                                     "deleted:",
                                     folder, "The files not yet deleted have been left where they were."}));
  }
}

}  // namespace

ListedFolder FileListing(const FolderView& view) {
  return {view.FileListDirectory(), view.FileListIdentity(), view.FileListItems()};
}

LeftFiles DeleteCache(ProgramState& state, CleaningView& view, const ListedFolder& listed) {
  const ConfirmationReset reset(state);
  // Only a confirmed deletion reports the space it regained; Kill All, which
  // asks nothing per folder, reports the whole run itself.
  const bool confirmed = state.confirm;
  const bool recycle = view.RecycleChecked();
  // What the question names is what gets deleted, whatever the view does
  // while the question is open: the listing was taken before it.
  if (confirmed &&
      !view.AskWarning(JoinLines({"You are about to DELETE all of the files in the following directory:",
                                   view.TreeDirectory(), "Is this what you want to do? "}))) {
    return {};
  }
  const RunRecordScope record;
  DeleteOutcome outcome = DeleteOutcome::kDone;
  LeftFiles left;
  {
    const BusyWhileAlive busy(view);
    view.RunFileWork(listed.names.size(), [&](DeleteWatcher* watcher) {
      LeftCounter counter(watcher);
      outcome = DeleteListedFiles(listed, recycle, &counter);
      left = counter.Left();
    });
    // A list that shows another folder by now was not cleaned: it stays.
    if (view.FileListDirectory() == listed.folder && view.FileListIdentity() == listed.identity) {
      view.ClearFileList();
    }
  }
  if (outcome != DeleteOutcome::kDone) {
    ReportUnfinished(outcome, listed.folder, view);
    return left;
  }
  if (confirmed) {
    view.ShowInformation(RegainedReport(kFolderCleanedLine, left.FreedBytes()));
    if (const std::string status = left.Text(record.Problems()); !status.empty()) view.SetStatusText(status);
  }
  return left;
}

}  // namespace vorlix
