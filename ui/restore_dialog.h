// SPDX-License-Identifier: MIT
// "Restore a cleaning": lists the recorded cleaning runs and puts the files of
// the chosen one back where they came from.
#pragma once

#include <QDialog>
#include <cstddef>
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
  QLabel* progress_ = nullptr;  // how far a restore has got, while it runs
};

// "Putting back 12,345 of 30,000 files…"
QString RestoreProgressText(std::size_t done, std::size_t total);

// Shows the dialog modally.
void ShowRestoreDialog(QWidget* parent);

}  // namespace vorlix
