// SPDX-License-Identifier: MIT
// "Find browser caches": the dialog that stores found cache folders in the free user buttons.
#include "ui/browser_caches_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>
#include <string_view>

#include "actions/cache_slots.h"
#include "platform/drive_paths.h"
#include "platform/processes.h"
#include "settings/settings_catalogue.h"
#include "support/text_utils.h"
#include "ui/dialog_parts.h"
#include "ui/guarded.h"
#include "ui/message_boxes.h"

namespace vorlix {
namespace {

constexpr int kDosPathRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The user button already holding a DOS folder, if any.
std::optional<std::string_view> ButtonHolding(const QString& dos, const SlotHints& hints) {
  for (std::size_t slot = 0; slot < kFolderSlots.size(); ++slot) {
    if (Text(hints.SlotHint(slot)).compare(dos, Qt::CaseInsensitive) == 0) return kFolderSlots[slot].caption;
  }
  return std::nullopt;
}

void ShowGreyed(QTreeWidgetItem* row) {
  for (int column = BrowserCachesDialog::kBrowser; column <= BrowserCachesDialog::kFolder; ++column) {
    row->setForeground(column, QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
  }
}

// A row that cannot be ticked, its folder column saying why.
void Untickable(QTreeWidgetItem* row, const QString& folder, const QString& why) {
  row->setText(BrowserCachesDialog::kFolder, folder);
  row->setToolTip(BrowserCachesDialog::kFolder, why);
  row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
}

QTreeWidgetItem* CacheRow(const CacheSet& set, const SlotHints& hints) {
  auto* row = new QTreeWidgetItem;
  row->setText(BrowserCachesDialog::kBrowser, Text(set.browser) + (set.browser_running ? " (running)" : ""));
  row->setText(BrowserCachesDialog::kProfile, Text(set.profile));
  row->setText(BrowserCachesDialog::kFiles, Text(GroupedCount(set.files)));
  row->setText(BrowserCachesDialog::kSize, Text(SizeText(set.bytes)));
  row->setTextAlignment(BrowserCachesDialog::kFiles, Qt::AlignRight | Qt::AlignVCenter);
  row->setTextAlignment(BrowserCachesDialog::kSize, Qt::AlignRight | Qt::AlignVCenter);
  QStringList folders;
  for (const CacheFolder& cache : set.folders) folders << Text(cache.folder);
  row->setToolTip(BrowserCachesDialog::kProfile, "Cache folders emptied whole:\n" + folders.join("\n"));
  if (set.browser_running) {
    ShowGreyed(row);
    row->setToolTip(BrowserCachesDialog::kBrowser, "The browser is running: close it before cleaning its cache.");
  }
  const CacheFolder* main = ButtonFolder(set);
  if (main == nullptr) {
    Untickable(row, Text(set.folders.front().folder),
               "None of these folders holds files directly, so a user button would empty nothing.");
    return row;
  }
  const std::optional<std::string> dos = platform::HostToDos(main->folder);
  if (!dos) {
    Untickable(row, Text(main->folder),
               "No drive letter reaches this folder, so no button can hold it. Map a drive to a folder above it "
               "(see Help).");
    return row;
  }
  if (const std::optional<std::string_view> holder = ButtonHolding(Text(*dos), hints)) {
    Untickable(row, Text(*dos), "Already stored in " + Text(std::string(*holder)) + ".");
    return row;
  }
  row->setText(BrowserCachesDialog::kFolder, Text(*dos));
  row->setToolTip(BrowserCachesDialog::kFolder,
                  Text(*dos) + "\nA user button holding it empties the files directly in this folder.");
  row->setData(BrowserCachesDialog::kFolder, kDosPathRole, Text(*dos));
  row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Unchecked);
  return row;
}

}  // namespace

BrowserCachesDialog::BrowserCachesDialog(const std::vector<CacheSet>& found, SlotHints& hints, TRegFile& reg_file1,
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
  for (const CacheSet& set : found) list_->addTopLevelItem(CacheRow(set, hints));
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
  std::vector<CacheSet> found;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProgressDialog searching("Looking for browser caches...", QString(), 0, 0, parent);
    searching.setWindowTitle("Find browser caches");
    searching.setCancelButton(nullptr);
    searching.setWindowModality(Qt::ApplicationModal);  // no other command while the search runs
    searching.show();
    QEventLoop waiting;
    std::unique_ptr<QThread> worker(QThread::create(
        [&found] { found = FindBrowserCaches(UserCacheSearchPlaces(), platform::RunningPrograms()); }));
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);
    worker->start();
    waiting.exec();
    worker->wait();
    QApplication::restoreOverrideCursor();
  }
  BrowserCachesDialog dialog(found, hints, reg_file1, parent);
  dialog.exec();
}

}  // namespace vorlix
