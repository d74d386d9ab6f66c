// SPDX-License-Identifier: MIT
// The watch on the folder in view.

#include "ui/folder_watch.h"

#include <QFile>
#include <algorithm>

#include "platform/drive_paths.h"

namespace vorlix {
namespace {

// A burst of changes is told once it has been quiet this long ...
constexpr qint64 kQuietMs = 300;
// ... and changes that go on are told at least this often.
constexpr qint64 kLatestMs = 1000;

}  // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
  quiet_.setSingleShot(true);
  connect(&quiet_, &QTimer::timeout, this, &FolderWatch::Changed);
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    if (!quiet_.isActive()) since_first_.start();
    quiet_.start(static_cast<int>(std::clamp(kLatestMs - since_first_.elapsed(), qint64{0}, kQuietMs)));
  });
}

void FolderWatch::Watch(const std::string& dos_folder) {
  const std::optional<platform::ResolvedPath> resolved = platform::Resolve(dos_folder);
  const QString host = resolved ? QFile::decodeName(QByteArray::fromStdString(resolved->host)) : QString();
  const QStringList watched = watcher_.directories();
  if (watched.size() == 1 && watched.front() == host) return;
  if (!watched.isEmpty()) watcher_.removePaths(watched);
  quiet_.stop();
  if (!host.isEmpty()) watcher_.addPath(host);
}

}  // namespace vorlix
