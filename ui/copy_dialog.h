// SPDX-License-Identifier: MIT
// The copy dialog: the user picks the folder that the selected files of the
// main window are copied to. It opens at the folder stored at the last OK;
// OK makes the tree's folder the copy destination and stores it.
#pragma once

#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "ui/fixed_dialog.h"

class QLineEdit;
class QPushButton;

namespace vorlix {

class DirectoryListBox;
class DriveComboBox;

class TCopyDest : public FixedDialog {
  Q_OBJECT

 public:
  explicit TCopyDest(ProgramState& state, QWidget* parent = nullptr);

 private:
  void FormShow() override;
  void FormActivate();
  void DriveComboBox1Change();
  void DirectoryListBox1Change();
  void BitBtn1Click();

  ProgramState& state_;
  TRegFile RegFile1;
  DriveComboBox* DriveComboBox1 = nullptr;
  DirectoryListBox* DirectoryListBox1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Cancel, the default button and Esc
};

}  // namespace vorlix
