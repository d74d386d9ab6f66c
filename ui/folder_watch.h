// SPDX-License-Identifier: MIT
// Watches one folder for entries made, removed or renamed in it by anyone,
// this program or another, and says so once per burst: a run that deletes
// 100,000 files is one change or a few, not 100,000.
#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <string>

namespace vorlix {

class FolderWatch : public QObject {
  Q_OBJECT

 public:
  explicit FolderWatch(QObject* parent = nullptr);

  // Watches the folder a DOS path names, instead of the one watched before.
  // A folder that cannot be watched (gone, or its drive not mapped) is not;
  // calling this again once it is back watches it again.
  void Watch(const std::string& dos_folder);

 signals:
  // The folder changed: once changes have been quiet for a moment, and about
  // once a second while they go on.
  void Changed();

 private:
  QFileSystemWatcher watcher_;
  QTimer quiet_;               // runs from a change until Changed is emitted
  QElapsedTimer since_first_;  // since the first change not yet told
};

}  // namespace vorlix
