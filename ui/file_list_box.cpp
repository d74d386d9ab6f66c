// SPDX-License-Identifier: MIT
// The file list.

#include "ui/file_list_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>
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
  connect(&watch_, &FolderWatch::Changed, this, [this] {
    if (!held_) Reload();
  });
}

void FileListBox::Show(const std::shared_ptr<FolderLoad>& load) {
  pending_.reset();
  setLayoutMode(QListView::Batched);  // a large folder shows its first rows sooner
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
  ShowAgain(load->TakeFiles(), false);
}

void FileListBox::Reload() {
  pending_.reset();
  ShowAgain(ReadListedFolder(directory_), true);
}

void FileListBox::HoldReloads() { held_ = true; }

void FileListBox::ResumeReloads() {
  held_ = false;
  Reload();
}

std::string FileListBox::NameAt(const QModelIndex& index) const {
  return index.isValid() ? std::string(Items()[static_cast<std::size_t>(index.row())]) : std::string();
}

void FileListBox::ShowAgain(ListedFolder listed, bool keep_view) {
  // The same list: nothing is drawn again, but a folder made again under
  // its name is watched again.
  if (listed.identity == identity_ && listed.names == Items()) {
    watch_.Watch(directory_);
    return;
  }
  std::unordered_set<std::string, NameHash, std::equal_to<>> selected;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) selected.emplace(NameAt(index));
  const std::string focused = NameAt(currentIndex());
  const QModelIndex top = indexAt(QPoint(1, 1));
  const std::string top_name = NameAt(top);
  // A row can be scrolled to only once it is laid out: a list read again is
  // laid out whole at once, not in batches that would move the rows in view.
  if (keep_view) setLayoutMode(QListView::SinglePass);
  Show(std::move(listed));
  // Nothing chosen yet in a first part of a large folder: the whole list
  // shows from its top.
  if (!keep_view && selected.empty()) return;
  QItemSelection again;
  QModelIndex in_view;
  for (std::size_t row = 0; row < Items().size(); ++row) {
    const std::string_view name = Items()[row];
    const QModelIndex index = model_.index(static_cast<int>(row));
    if (selected.contains(name)) again.select(index, index);
    if (name == focused) selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (name == top_name) in_view = index;
  }
  selectionModel()->select(again, QItemSelectionModel::Select);
  if (!keep_view || !top.isValid()) return;
  // The row at the top stays there; when it is gone, the row now in its place.
  if (!in_view.isValid()) in_view = model_.index(std::min(top.row(), model_.rowCount() - 1));
  if (!in_view.isValid()) return;
  doItemsLayout();
  scrollTo(in_view, QAbstractItemView::PositionAtTop);
}

void FileListBox::Show(ListedFolder listed) {
  directory_ = std::move(listed.folder);
  watch_.Watch(directory_);
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
