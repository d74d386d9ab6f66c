// SPDX-License-Identifier: MIT
// "Delete Cache": empties the folder the file list shows, asking first and reporting after.

#include "actions/delete_cache.h"

#include <cstdint>
#include <string>

#include "actions/confirmation_reset.h"
#include "cleaning/listed_files.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "support/disk_utils.h"
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

// Counts the files that stayed for want of a trash, and passes everything on
// to the view's watcher, when it has one.
class NoTrashCounter : public DeleteWatcher {
 public:
  explicit NoTrashCounter(DeleteWatcher* next) : next_(next) {}
  void EntryDone(std::size_t index, EntryResult result) override {
    if (result == EntryResult::kNoTrash) ++count_;
    if (next_ != nullptr) next_->EntryDone(index, result);
  }
  bool StopBefore(std::size_t index) override { return next_ != nullptr && next_->StopBefore(index); }
  std::size_t Count() const { return count_; }

 private:
  DeleteWatcher* next_;
  std::size_t count_ = 0;
};

}  // namespace

std::size_t DeleteCache(ProgramState& state, CleaningView& view) {
  const ConfirmationReset reset(state);
  const std::int64_t before = SumFreeSpace();
  const bool recycle = view.RecycleChecked();
  // What the question names is what gets deleted, whatever the view does
  // while the question is open.
  const ListedFolder listed{view.FileListDirectory(), view.FileListIdentity(), view.FileListItems()};
  if (state.confirm &&
      !view.AskWarning(JoinLines({"You are about to DELETE all of the files in the following directory:",
                                   view.TreeDirectory(), "Is this what you want to do? "}))) {
    return 0;
  }
  const RunRecordScope record;
  DeleteOutcome outcome = DeleteOutcome::kDone;
  std::size_t not_trashed = 0;
  {
    const BusyWhileAlive busy(view);
    view.RunFileWork(listed.names.size(), [&](DeleteWatcher* watcher) {
      NoTrashCounter counter(watcher);
      outcome = DeleteListedFiles(listed, recycle, &counter);
      not_trashed = counter.Count();
    });
    // A list that shows another folder by now was not cleaned: it stays.
    if (view.FileListDirectory() == listed.folder && view.FileListIdentity() == listed.identity) {
      view.ClearFileList();
    }
  }
  if (outcome != DeleteOutcome::kDone) {
    ReportUnfinished(outcome, listed.folder, view);
    return not_trashed;
  }
  const std::int64_t after = SumFreeSpace();
  if (state.confirm) {
    view.ShowInformation(RegainedReport(kFolderCleanedLine, after - before));
    if (not_trashed > 0) view.SetStatusText(NotTrashedText(not_trashed));
  }
  return not_trashed;
}

}  // namespace vorlix
