// SPDX-License-Identifier: MIT
// The main window (TForm1) as the handlers see it: its controls, boxes, busy
// cursor and dialogs behind the view interfaces of actions/main_view.h.

#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QScopeGuard>

#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "ui/file_list_box.h"
#include "ui/file_work_run.h"
#include "ui/message_boxes.h"
#include "ui/slot_button.h"

namespace vorlix {

char TForm1::DriveBoxDrive() const { return DriveComboBox1->Drive(); }
void TForm1::SetDriveBoxDrive(char letter) { DriveComboBox1->SetDrive(letter); }
std::string TForm1::TreeDirectory() const { return DirectoryListBox1->Directory(); }
char TForm1::TreeDrive() const { return DirectoryListBox1->Drive(); }
void TForm1::SetTreeDrive(char letter) { DirectoryListBox1->SetDrive(letter); }
void TForm1::SetTreeDirectory(const std::string& path) { DirectoryListBox1->SetDirectory(path); }
std::string TForm1::FileListDirectory() const { return FileListBox1->Directory(); }
platform::NameList TForm1::FileListItems() const {
  FileListBox1->FinishLoad();
  return FileListBox1->Items();
}
std::optional<platform::FileIdentity> TForm1::FileListIdentity() const { return FileListBox1->Identity(); }
std::vector<bool> TForm1::FileListSelection() const {
  FileListBox1->FinishLoad();
  return FileListBox1->Selection();
}
std::string TForm1::FileListFileName() const {
  FileListBox1->FinishLoad();
  return FileListBox1->FileName();
}
void TForm1::ClearFileList() { FileListBox1->Clear(); }
void TForm1::SetStatusText(const std::string& text) { status_text_->setText(ScreenText(text)); }
QString TForm1::StatusText() const { return status_text_->text(); }
bool TForm1::RecycleChecked() const { return CheckBox1->isChecked(); }
void TForm1::SetRecycleChecked(bool checked) { CheckBox1->setChecked(checked); }

std::string TForm1::SlotHint(std::size_t slot) const { return slot_hints_[slot]; }

void TForm1::SetSlotHint(std::size_t slot, const std::string& hint) {
  slot_hints_[slot] = hint;
  slot_buttons_[slot]->setToolTip(ScreenText(hint));
}

bool TForm1::AskWarning(const std::string& text) { return vorlix::AskWarning(this, text); }
bool TForm1::AskConfirmation(const std::string& text) { return vorlix::AskConfirmation(this, text); }
void TForm1::ShowInformation(const std::string& text) { vorlix::ShowInformation(this, text); }

void TForm1::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TForm1::RunFileWork(std::size_t total, const std::function<void(DeleteWatcher*)>& work) {
  file_work_running_ = true;
  // However the run ends, an activation it held back runs after it.
  const auto resume = qScopeGuard([this] {
    file_work_running_ = false;
    QMetaObject::invokeMethod(this, [this] { RunPendingActivation(); }, Qt::QueuedConnection);
  });
  RunFileWorkOffThread(*status_text_, total, work);
}

bool TForm1::ShowKillAllDialog() { return form5_ && form5_->exec() == QDialog::Accepted; }
bool TForm1::ShowCopyDestDialog() { return copy_dest_ && copy_dest_->exec() == QDialog::Accepted; }

}  // namespace vorlix
