// SPDX-License-Identifier: MIT
// The Delete Method dialog: for each folder slot, whether its files go to the
// trash or are deleted for good. Loaded at every showing, stored on OK.
#pragma once

#include <array>

#include "actions/delete_method.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "ui/fixed_dialog.h"

class QCheckBox;
class QPushButton;

namespace vorlix {

class TForm4 : public FixedDialog {
  Q_OBJECT

 public:
  explicit TForm4(ProgramState& state, QWidget* parent = nullptr);

 private:
  void FormShow() override;
  void BitBtn1Click();
  void BitBtn2Click();

  ProgramState& state_;
  TRegFile RegFile1;
  // In row order (IE 1 to IE 8, then User 1 to User 6); each is named after
  // its slot's check box, CheckBox1 to CheckBox14.
  std::array<QCheckBox*, kFolderSlots.size()> rows_{};
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Help
};

}  // namespace vorlix
