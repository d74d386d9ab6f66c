// SPDX-License-Identifier: MIT
// The folder tree: the folders of the current path from the drive root down,
// then the current folder's subfolders (hidden ones too: cache folders live in
// them). Entering a folder makes it the process's current directory through
// the drive-letter layer. A double click or Enter on an entry enters it.
#pragma once

#include <QListWidget>
#include <string>

#include "cleaning/listed_files.h"

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
  // The current folder's files, from the same read that found its
  // subfolders, handed over once: a file list that follows the tree shows
  // them without reading the folder again.
  ListedFolder TakeFiles() { return std::move(files_); }

 signals:
  void DirectoryChanged();

 private:
  void Rebuild();
  std::string PathOfRow(int row) const;

  std::string directory_;
  ListedFolder files_;
  int path_rows_ = 0;  // rows of the path itself; subfolders follow
};

}  // namespace vorlix
