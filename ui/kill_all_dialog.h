// SPDX-License-Identifier: MIT
// The Kill All selection dialog: sixteen check boxes for the folders and lists
// that one "Kill All " run cleans, refilled from the settings at every showing
// and stored on OK.
#pragma once

#include <array>

#include "actions/kill_all_selection.h"
#include "actions/program_state.h"
#include "settings/reg_files.h"
#include "ui/fixed_dialog.h"

class QCheckBox;
class QPushButton;

namespace vorlix {

class TForm5 : public FixedDialog {
  Q_OBJECT

 public:
  explicit TForm5(ProgramState& state, QWidget* parent = nullptr);

 private:
  void FormShow() override;
  void BitBtn1Click();
  void SetAllBoxes(bool checked);

  ProgramState& state_;
  TRegFile RegFile1;
  std::array<QCheckBox*, kKillAllItemCount> boxes_{};
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Cancel
  QPushButton* BitBtn3 = nullptr;  // Check All
  QPushButton* BitBtn4 = nullptr;  // Clear All
};

}  // namespace vorlix
