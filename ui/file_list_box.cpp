// SPDX-License-Identifier: MIT
// The file list.

#include "ui/file_list_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <functional>
#include <string_view>
#include <unordered_set>

namespace vorlix {
namespace {

// Looks names up without making a string of each.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

}  // namespace

FileListModel::FileListModel(QIcon icon, QObject* parent) : QAbstractListModel(parent), icon_(std::move(icon)) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) {
    const std::string_view name = names_[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  if (role == Qt::DecorationRole) return icon_;
  return {};
}

void FileListModel::SetNames(platform::NameList names) {
  beginResetModel();
  names_ = std::move(names);
  endResetModel();
}

FileListBox::FileListBox(QWidget* parent)
    : QListView(parent), model_(style()->standardIcon(QStyle::SP_FileIcon), this) {
  setModel(&model_);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);
  setIconSize(QSize(16, 16));
  setLayoutMode(QListView::Batched);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::ClickFocus);
}

void FileListBox::Show(const std::shared_ptr<FolderLoad>& load) {
  pending_.reset();
  if (load->ReadAtOnce()) {
    Show(load->TakeFiles());
    return;
  }
  Show(load->TakeFirst());
  pending_ = load;
}

void FileListBox::FinishLoad() {
  if (!pending_) return;
  const std::shared_ptr<FolderLoad> load = std::move(pending_);
  std::unordered_set<std::string, NameHash, std::equal_to<>> selected;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    selected.emplace(Items()[static_cast<std::size_t>(index.row())]);
  }
  const QModelIndex current = currentIndex();
  const std::string focused = current.isValid() ? std::string(Items()[static_cast<std::size_t>(current.row())]) : "";
  Show(load->TakeFiles());
  // Nothing chosen yet: the whole list shows from its top.
  if (selected.empty()) return;
  QItemSelection again;
  for (std::size_t row = 0; row < Items().size(); ++row) {
    const std::string_view name = Items()[row];
    const QModelIndex index = model_.index(static_cast<int>(row));
    if (selected.contains(name)) again.select(index, index);
    if (name == focused) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  }
  selectionModel()->select(again, QItemSelectionModel::Select);
}

void FileListBox::Show(ListedFolder listed) {
  directory_ = std::move(listed.folder);
  identity_ = listed.identity;
  model_.SetNames(std::move(listed.names));
}

std::vector<bool> FileListBox::Selection() const {
  std::vector<bool> selected(Items().size(), false);
  for (const QModelIndex& index : selectionModel()->selectedIndexes())
    selected[static_cast<std::size_t>(index.row())] = true;
  return selected;
}

std::string FileListBox::FileName() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid() || !selectionModel()->isSelected(current)) return {};
  const std::string separator = !directory_.empty() && directory_.back() == '\\' ? "" : "\\";
  return directory_ + separator + std::string(Items()[static_cast<std::size_t>(current.row())]);
}

void FileListBox::Clear() {
  pending_.reset();
  model_.SetNames({});
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) QListView::mousePressEvent(event);
  emit MouseDown(event->button());
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void FileListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit DoubleClicked();
    return;
  }
  QListView::keyPressEvent(event);
}

void FileListBox::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard) emit MouseDown(Qt::RightButton);
}

}  // namespace vorlix
