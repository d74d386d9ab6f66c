// SPDX-License-Identifier: MIT
// The folder tree.

#include "ui/directory_list_box.h"

#include <QStyle>
#include <QStyledItemDelegate>

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

// Entries read before the tree and the file list show a folder: a larger
// folder shows these at once and the rest when its read ends.
constexpr std::size_t kEntriesReadAtOnce = 10000;
// How often the tree looks whether such a read has ended.
constexpr int kLoadWatchMs = 20;

constexpr int kDepthRole = Qt::UserRole + 1;  // how far below the drive root a row's folder lies

// A row's text is its folder's name alone, which a screen reader reads and
// typing its first letters finds; the name is drawn three blanks further in
// for each step below the drive root.
class IndentedNames final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text.prepend(QString("   ").repeated(index.data(kDepthRole).toInt()));
  }
};

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent), directory_(platform::GetCurrentDir()) {
  setFocusPolicy(Qt::NoFocus);
  setUniformItemSizes(true);
  setIconSize(QSize(16, 16));
  setItemDelegate(new IndentedNames(this));
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const std::string path = PathOfRow(row(item));
    Guarded(this, [&] { SetDirectory(path); });
  });
  load_watch_.setInterval(kLoadWatchMs);
  connect(&load_watch_, &QTimer::timeout, this, [this] {
    if (!load_->Complete()) return;
    load_watch_.stop();
    AddSubfolders();
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

void DirectoryListBox::AddRow(const QIcon& icon, std::string_view name, int depth) {
  const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
  auto* entry = new QListWidgetItem(icon, QString::fromUtf8(bytes), this);
  entry->setData(Qt::UserRole, bytes);
  entry->setData(kDepthRole, depth);
}

void DirectoryListBox::Rebuild() {
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  std::vector<std::string> parts = Components(directory_);
  parts.insert(parts.begin(), directory_.substr(0, 3));
  for (std::size_t i = 0; i < parts.size(); ++i) AddRow(open, parts[i], static_cast<int>(i));
  path_rows_ = static_cast<int>(parts.size());
  setCurrentRow(path_rows_ - 1);

  // A large folder is shown while the rest of it is read; its subfolders
  // follow when a look at the read finds it ended.
  load_watch_.stop();
  load_ = std::make_shared<FolderLoad>(directory_, kEntriesReadAtOnce);
  if (load_->ReadAtOnce()) {
    AddSubfolders();
  } else {
    load_watch_.start();
  }
}

void DirectoryListBox::AddSubfolders() {
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (const std::string_view folder : load_->TakeSubfolders()) AddRow(closed, folder, path_rows_);
  if (!load_->ReadAtOnce()) emit DirectoryLoaded();
}

}  // namespace vorlix
