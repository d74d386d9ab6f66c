// SPDX-License-Identifier: MIT
// The folder tree: the folders of the current path from the drive root down,
// then the current folder's subfolders (hidden ones too: cache folders live in
// them). Entering a folder makes it the process's current directory through
// the drive-letter layer. A double click or Enter on an entry enters it.
#pragma once

#include <QListWidget>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "cleaning/folder_load.h"

namespace vorlix {

class DirectoryListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirectoryListBox(QWidget* parent = nullptr);

  // The current folder as the system reports it ("C:\home\ann").
  std::string Directory() const { return directory_; }
  // Its drive letter, lower case.
  char Drive() const;

  // Enters a folder (a path without a drive letter is taken on the current
  // drive); throws EInOutError when it cannot be entered.
  void SetDirectory(const std::string& path);
  // Moves to a drive's own current directory when it is another drive.
  void SetDrive(char letter);
  // Reads the current folder again: its subfolders as they are now.
  void Refresh() { Rebuild(); }
  // The read of the current folder that found its subfolders: a file list
  // that follows the tree takes its files from it instead of reading the
  // folder again.
  std::shared_ptr<FolderLoad> CurrentLoad() const { return load_; }

 signals:
  void DirectoryChanged();
  // The read of a large current folder has ended: its subfolders are shown.
  void DirectoryLoaded();

 private:
  void Rebuild();
  void AddRow(const QIcon& icon, std::string_view name, int depth);
  void AddSubfolders();
  std::string PathOfRow(int row) const;

  std::string directory_;
  std::shared_ptr<FolderLoad> load_;
  QTimer load_watch_;  // runs while a large folder is still being read
  int path_rows_ = 0;  // rows of the path itself; subfolders follow
};

}  // namespace vorlix
