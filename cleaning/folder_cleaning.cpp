// SPDX-License-Identifier: MIT

#include "cleaning/folder_cleaning.h"

#include <cstdint>

#include "cleaning/confirmation_reset.h"
#include "cleaning/listed_files.h"
#include "cleaning/message_text.h"
#include "cleaning/regained_report.h"
#include "support/disk_utils.h"

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

}  // namespace

void BitBtn2Click(ProgramState& state, FolderView& view, MessageBoxes& boxes, BusyCursor& cursor) {
  const ConfirmationReset reset(state);
  const std::int64_t before = SumFreeSpace();
  const bool recycle = view.RecycleChecked();
  if (state.confirm &&
      !boxes.AskWarning(JoinLines({"You are about to DELETE all of the files in the following directory:",
                                   view.TreeDirectory(), "Is this what you want to do? "}))) {
    return;
  }
  {
    const BusyWhileAlive busy(cursor);
    DeleteListedFiles(view.FileListDirectory(), view.FileListItems(), recycle);
    view.ClearFileList();
  }
  const std::int64_t after = SumFreeSpace();
  if (state.confirm) boxes.ShowInformation(RegainedReport(kFolderCleanedLine, after - before));
}

}  // namespace vorlix
