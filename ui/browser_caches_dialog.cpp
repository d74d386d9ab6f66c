// SPDX-License-Identifier: MIT
// "Find browser caches": the dialog that stores found cache folders in the free user buttons.
#include "ui/browser_caches_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "actions/cache_slots.h"
#include "platform/drive_paths.h"
#include "platform/processes.h"
#include "settings/settings_catalogue.h"
#include "ui/dialog_parts.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace vorlix {
namespace {

constexpr int kDosPathRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QTreeWidgetItem* CacheRow(const FoundCache& cache) {
  auto* row = new QTreeWidgetItem;
  row->setText(BrowserCachesDialog::kBrowser, Text(cache.browser) + (cache.browser_running ? " (running)" : ""));
  row->setText(BrowserCachesDialog::kProfile, Text(cache.profile));
  const QLocale locale;
  row->setText(BrowserCachesDialog::kFiles, locale.toString(static_cast<qulonglong>(cache.files)));
  row->setText(BrowserCachesDialog::kSize,
               locale.formattedDataSize(static_cast<qint64>(cache.bytes), 1, QLocale::DataSizeTraditionalFormat));
  row->setTextAlignment(BrowserCachesDialog::kFiles, Qt::AlignRight | Qt::AlignVCenter);
  row->setTextAlignment(BrowserCachesDialog::kSize, Qt::AlignRight | Qt::AlignVCenter);
  if (cache.browser_running) {
    row->setToolTip(BrowserCachesDialog::kBrowser, "The browser is running: close it before cleaning its cache.");
  }
  const std::optional<std::string> dos = platform::HostToDos(cache.folder);
  if (dos) {
    row->setText(BrowserCachesDialog::kFolder, Text(*dos));
    row->setToolTip(BrowserCachesDialog::kFolder, Text(*dos));
    row->setData(BrowserCachesDialog::kFolder, kDosPathRole, Text(*dos));
    row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Unchecked);
  } else {
    row->setText(BrowserCachesDialog::kFolder, Text(cache.folder));
    row->setToolTip(BrowserCachesDialog::kFolder,
                    "No drive letter reaches this folder, so no button can hold it. Map a drive to a folder "
                    "above it (see Help).");
    row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
  }
  return row;
}

}  // namespace

BrowserCachesDialog::BrowserCachesDialog(const std::vector<FoundCache>& found, SlotHints& hints, TRegFile& reg_file1,
                                         QWidget* parent)
    : QDialog(parent), hints_(hints), reg_file1_(reg_file1) {
  setObjectName("BrowserCachesDialog");
  setWindowTitle("Find browser caches");
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      found.empty() ? "No browser cache folder holding files was found."
                    : "Tick the cache folders to store in the free user buttons (U1 to U6). Close a browser "
                      "before its cache is cleaned.",
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  list_ = new QTreeWidget(this);
  list_->setObjectName("CacheList");
  list_->setHeaderLabels({"Browser", "Profile", "Files", "Size", "Folder"});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setTextElideMode(Qt::ElideMiddle);  // a cache folder is told apart by its last names
  for (const FoundCache& cache : found) list_->addTopLevelItem(CacheRow(cache));
  for (int column = kBrowser; column < kFolder; ++column) list_->resizeColumnToContents(column);
  if (!found.empty()) list_->setCurrentItem(list_->topLevelItem(0));  // Space ticks from the first row on
  list_->setFocus();
  layout->addWidget(list_);

  shortage_ = new QLabel(this);
  shortage_->setObjectName("Shortage");
  shortage_->setWordWrap(true);
  layout->addWidget(shortage_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Guarded(this, [this] { OkClick(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QTreeWidget::itemChanged, this, [this] { ShowShortage(); });

  resize(820, 360);
  CentreOnScreen(this);
  ShowShortage();
}

std::vector<std::string> BrowserCachesDialog::TickedFolders() const {
  std::vector<std::string> folders;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list_->topLevelItem(i);
    if (row->checkState(kBrowser) == Qt::Checked) {
      folders.push_back(row->data(kFolder, kDosPathRole).toString().toStdString());
    }
  }
  return folders;
}

void BrowserCachesDialog::ShowShortage() {
  const std::vector<std::size_t> free = FreeUserSlots(hints_);
  const std::size_t ticked = TickedFolders().size();
  QString text;
  if (free.empty()) {
    text = "Every user button is set up already. Clear one (click it with Shift held) to make room.";
  } else if (ticked > free.size()) {
    text = QString("%1 folders are ticked but only %2 user buttons are free: the last %3 will not be saved.")
               .arg(ticked)
               .arg(free.size())
               .arg(ticked - free.size());
  } else {
    QStringList captions;
    for (const std::size_t slot : free) captions << Text(std::string(kFolderSlots[slot].caption));
    text = "Free user buttons: " + captions.join(", ") + ".";
  }
  shortage_->setText(text);
}

void BrowserCachesDialog::OkClick() {
  const std::vector<std::string> ticked = TickedFolders();
  if (ticked.empty()) {
    reject();  // nothing ticked: nothing to store
  } else if (StoreCacheFolders(ticked, hints_, *this, reg_file1_)) {
    accept();
  }
}

bool BrowserCachesDialog::AskWarning(const std::string& text) { return vorlix::AskWarning(this, text); }
bool BrowserCachesDialog::AskConfirmation(const std::string& text) { return vorlix::AskConfirmation(this, text); }
void BrowserCachesDialog::ShowInformation(const std::string& text) { vorlix::ShowInformation(this, text); }

void ShowBrowserCachesDialog(QWidget* parent, SlotHints& hints, TRegFile& reg_file1) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::vector<FoundCache> found = FindBrowserCaches(UserCacheSearchPlaces(), platform::RunningPrograms());
  QApplication::restoreOverrideCursor();
  BrowserCachesDialog dialog(found, hints, reg_file1, parent);
  dialog.exec();
}

}  // namespace vorlix
