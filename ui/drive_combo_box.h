// SPDX-License-Identifier: MIT
// The drive box: the mapped drive letters, lower case, each with the folder it
// maps to. The list is read again each time it opens, so a drive link added
// meanwhile shows up.
#pragma once

#include <QComboBox>

namespace vorlix {

class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

  // The selected letter, lower case.
  char Drive() const;
  // Selects a letter (either case) without emitting DriveChanged; a letter
  // that is not mapped is listed all the same, as the drive the view is on.
  void SetDrive(char letter);

  void showPopup() override;

 signals:
  // The user chose another drive.
  void DriveChanged(char letter);

 private:
  void Fill(char selected);
};

}  // namespace vorlix
