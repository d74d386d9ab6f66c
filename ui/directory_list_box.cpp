// SPDX-License-Identifier: MIT
// The folder tree.

#include "ui/directory_list_box.h"

#include <QStyle>

#include "platform/ascii.h"
#include "platform/drive_paths.h"
#include "support/in_out_error.h"
#include "ui/guarded.h"

namespace vorlix {
namespace {

std::vector<std::string> Components(const std::string& dos) {
  std::vector<std::string> parts;
  std::size_t start = 3;  // after "C:\"
  while (start < dos.size()) {
    const std::size_t end = dos.find('\\', start);
    parts.push_back(dos.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent), directory_(platform::GetCurrentDir()) {
  setFocusPolicy(Qt::NoFocus);
  setUniformItemSizes(true);
  setIconSize(QSize(16, 16));
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const std::string path = PathOfRow(row(item));
    Guarded(this, [&] { SetDirectory(path); });
  });
  Rebuild();
}

char DirectoryListBox::Drive() const { return platform::AsciiLower(directory_.front()); }

void DirectoryListBox::SetDirectory(const std::string& path) {
  // Another window's tree may have moved the process to another drive meanwhile.
  const bool has_drive = platform::HasDrivePart(path);
  ChDir(has_drive ? path : std::string{directory_.front(), ':'} + path);
  directory_ = platform::GetCurrentDir();
  Rebuild();
  emit DirectoryChanged();
}

void DirectoryListBox::SetDrive(char letter) {
  if (platform::AsciiLower(letter) == Drive()) return;
  SetDirectory(std::string{letter, ':'});
}

std::string DirectoryListBox::PathOfRow(int row) const {
  if (row >= path_rows_) {
    const QByteArray name = item(row)->data(Qt::UserRole).toByteArray();
    return platform::JoinDosPath(directory_, name.toStdString());
  }
  std::string path = directory_.substr(0, 3);
  const std::vector<std::string> parts = Components(directory_);
  for (int i = 0; i < row; ++i) path += (i > 0 ? "\\" : "") + parts[static_cast<std::size_t>(i)];
  return path;
}

void DirectoryListBox::Rebuild() {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  std::vector<std::string> parts = Components(directory_);
  parts.insert(parts.begin(), directory_.substr(0, 3));
  const QString step("   ");
  auto add = [&](const QIcon& icon, std::string_view name, int depth) {
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    auto* entry = new QListWidgetItem(icon, step.repeated(depth) + QString::fromUtf8(bytes), this);
    entry->setData(Qt::UserRole, bytes);
  };
  for (std::size_t i = 0; i < parts.size(); ++i) add(open, parts[i], static_cast<int>(i));
  path_rows_ = static_cast<int>(parts.size());
  setCurrentRow(path_rows_ - 1);

  FolderListing listing = ReadFolderListing(directory_);
  files_ = std::move(listing.files);
  for (const std::string_view folder : listing.subfolders) add(closed, folder, path_rows_);
}

}  // namespace vorlix
