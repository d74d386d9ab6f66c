// SPDX-License-Identifier: MIT
// "Restore a cleaning": lists the recorded cleaning runs and puts the files of
// the chosen one back where they came from.
#pragma once

#include <QDialog>
#include <vector>

#include "cleaning/run_record.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vorlix {

class RestoreDialog : public QDialog {
  Q_OBJECT

 public:
  // The list's columns.
  enum Column { kWhen, kFiles, kInTrash, kFolders };

  explicit RestoreDialog(QWidget* parent = nullptr);

 private:
  void Fill();
  void RestoreClick();

  std::vector<RecordedRun> runs_;
  QTreeWidget* list_ = nullptr;
  QPushButton* restore_ = nullptr;
  QLabel* problem_ = nullptr;  // why the record cannot be read, when it cannot
};

// Shows the dialog modally.
void ShowRestoreDialog(QWidget* parent);

}  // namespace vorlix
