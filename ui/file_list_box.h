// SPDX-License-Identifier: MIT
// The file list: the regular files of one folder that are not hidden (no
// folders, pipes or devices), sorted by name, several selectable at once, a
// small picture per item. A model over one plain folder read, so a folder of
// 100,000 files lists quickly. It keeps the identity of the folder it read, so
// that what is done to the listed files is done in that folder only. It
// follows its folder: what any program makes or removes there shows within a
// second or two.
#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <QListView>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cleaning/folder_load.h"
#include "cleaning/listed_files.h"
#include "ui/folder_watch.h"

namespace vorlix {

class FileListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit FileListModel(QIcon icon, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  const platform::NameList& Names() const { return names_; }
  void SetNames(platform::NameList names);

 private:
  platform::NameList names_;
  QIcon icon_;
};

class FileListBox : public QListView {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // The folder listed, as it was given.
  const std::string& Directory() const { return directory_; }
  // The identity of the folder read; nothing when it could not be read.
  const std::optional<platform::FileIdentity>& Identity() const { return identity_; }
  // Shows the files of a folder's read: at once those read so far, the
  // whole sorted list when the read ends (FinishLoad).
  void Show(const std::shared_ptr<FolderLoad>& load);
  // Waits for a read still going and shows its whole list, keeping the
  // selection and the focus on the same names. Whatever acts on the list's
  // files calls this first, so that it sees every one of them.
  void FinishLoad();
  // Reads the folder listed again and shows what it holds now, keeping the
  // selection, the focus and the rows in view on the same names where they
  // are still there. A read that finds the list as it was changes nothing.
  void Reload();
  // While held, the list does not follow its folder, so that it stays as a
  // run over its files found it; the end of the hold reads the folder again.
  void HoldReloads();
  void ResumeReloads();

  const platform::NameList& Items() const { return model_.Names(); }
  std::vector<bool> Selection() const;
  // The full path of the focused entry when it is selected; otherwise empty.
  std::string FileName() const;
  // Removes every entry without reading the folder again; a read still
  // going is dropped.
  void Clear();

 signals:
  // Any mouse button went down on the list. A right press leaves the
  // selection as it is, so that it can be copied.
  void MouseDown(Qt::MouseButton button);
  void DoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // From the keyboard, Enter does what a double click does and the menu key
  // what a right press does.
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void Show(ListedFolder listed);
  // Shows a new read of the folder listed in place of the list, keeping the
  // selection and the focus; with `keep_view` also the rows in view and the
  // focus when nothing is selected.
  void ShowAgain(ListedFolder listed, bool keep_view);
  // The name on a row of the list; empty for no row.
  std::string NameAt(const QModelIndex& index) const;

  FileListModel model_;
  FolderWatch watch_;
  bool held_ = false;
  std::shared_ptr<FolderLoad> pending_;  // the read whose whole list is still to come
  std::string directory_;
  std::optional<platform::FileIdentity> identity_;
};

}  // namespace vorlix
