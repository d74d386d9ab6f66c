// SPDX-License-Identifier: MIT
// "Empty the trash of old cleanings": sets after how many days the files the
// program moved into the trash are deleted for good.
#pragma once

#include <QDialog>

#include "settings/reg_files.h"

class QCheckBox;
class QSpinBox;

namespace vorlix {

class LetGoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LetGoDialog(TRegFile& reg_file1, QWidget* parent = nullptr);

 private:
  void OkClick();

  TRegFile& reg_file1_;
  QCheckBox* on_ = nullptr;
  QSpinBox* days_ = nullptr;
};

// Shows the dialog modally.
void ShowLetGoDialog(QWidget* parent, TRegFile& reg_file1);

}  // namespace vorlix
