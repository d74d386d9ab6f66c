// SPDX-License-Identifier: MIT
// "Find browser caches": the dialog that stores found cache folders in the free user buttons.
#include "ui/browser_caches_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QProgressDialog>
#include <QTabWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string_view>

#include "actions/cache_slots.h"
#include "cleaning/cache_set_cleaning.h"
#include "cleaning/watch_schedule.h"
#include "cleaning/watched_browsers.h"
#include "platform/drive_paths.h"
#include "settings/settings_catalogue.h"
#include "support/text_utils.h"
#include "ui/dialog_parts.h"
#include "ui/file_work_run.h"
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

constexpr int kFigureRole = Qt::UserRole;  // a clean row's files and bytes as numbers
constexpr int kNameRole = Qt::UserRole + 1;  // a clean row's browser and profile, as the finder names them

// The figures of a set, and its browser greyed when it runs.
void SetFigures(QTreeWidgetItem* row, const CacheSet& set) {
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
}

QTreeWidgetItem* CacheRow(const CacheSet& set, const SlotHints& hints) {
  auto* row = new QTreeWidgetItem;
  SetFigures(row, set);
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

// A greyed row for a folder the search left alone, naming it and why.
QTreeWidgetItem* LeftAloneRow(const CacheSet& set, const LeftAloneFolder& left) {
  auto* row = new QTreeWidgetItem;
  row->setText(BrowserCachesDialog::kBrowser, Text(set.browser));
  row->setText(BrowserCachesDialog::kProfile, Text(set.profile));
  Untickable(row, Text(LeftAloneText(left)), Text(LeftAloneText(left)));
  ShowGreyed(row);
  return row;
}

// Whether the browser-close watcher empties a set's caches when its browser closes.
void SetWatched(QTreeWidgetItem* row, const CacheSet& set, bool watching) {
  if (!IsWatchedBrowser(set.browser)) {
    row->setText(BrowserCachesDialog::kWatch, "Not watched");
    row->setToolTip(BrowserCachesDialog::kWatch, "The browser-close watcher does not watch this cache.");
  } else if (watching) {
    row->setText(BrowserCachesDialog::kWatch, "On");
    row->setToolTip(BrowserCachesDialog::kWatch, "The browser-close watcher empties these caches when the browser "
                                                 "closes.");
  } else {
    row->setText(BrowserCachesDialog::kWatch, "Off");
    row->setToolTip(BrowserCachesDialog::kWatch, "Setup, Schedule, \"When a browser closes\" empties these caches "
                                                 "whenever the browser closes.");
  }
}

// Adds a set's rows to a list: its own row, made by `make`, when it has cache
// folders, then one greyed row for each folder left alone.
template <typename MakeRow>
void AddSetRows(QTreeWidget& list, const CacheSet& set, bool watching, MakeRow make) {
  if (!set.folders.empty()) {
    QTreeWidgetItem* row = make(set);
    SetWatched(row, set, watching);
    list.addTopLevelItem(row);
  }
  for (const LeftAloneFolder& left : set.left_alone) list.addTopLevelItem(LeftAloneRow(set, left));
}

// A row of the page that empties sets at once: tickable unless the browser runs.
QTreeWidgetItem* CleanRow(const CacheSet& set) {
  auto* row = new QTreeWidgetItem;
  SetFigures(row, set);
  row->setText(BrowserCachesDialog::kFolder, QString::number(set.folders.size()));
  row->setData(BrowserCachesDialog::kFiles, kFigureRole, QVariant::fromValue<qulonglong>(set.files));
  row->setData(BrowserCachesDialog::kSize, kFigureRole, QVariant::fromValue<qulonglong>(set.bytes));
  row->setData(BrowserCachesDialog::kBrowser, kNameRole, Text(set.browser));
  row->setData(BrowserCachesDialog::kProfile, kNameRole, Text(set.profile));
  if (set.browser_running) {
    row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
  } else {
    row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Unchecked);
  }
  return row;
}

// The ticked sets of a list, with their files and bytes in all.
struct TickedSets {
  std::vector<CacheSetKey> sets;
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
};

TickedSets Ticked(const QTreeWidget& list) {
  TickedSets ticked;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list.topLevelItem(i);
    if (row->checkState(BrowserCachesDialog::kBrowser) != Qt::Checked) continue;
    ticked.sets.push_back({row->data(BrowserCachesDialog::kBrowser, kNameRole).toString().toStdString(),
                           row->data(BrowserCachesDialog::kProfile, kNameRole).toString().toStdString()});
    ticked.files += row->data(BrowserCachesDialog::kFiles, kFigureRole).toULongLong();
    ticked.bytes += row->data(BrowserCachesDialog::kSize, kFigureRole).toULongLong();
  }
  return ticked;
}

// Hands each file of an emptying to the window's run as one more entry done.
class EntryCounter : public CacheCleanWatcher {
 public:
  explicit EntryCounter(DeleteWatcher* next) : next_(next) {}
  void FileDone(std::uint64_t /*bytes*/, EntryResult result) override {
    if (next_ != nullptr) next_->EntryDone(done_++, result);
  }

 private:
  DeleteWatcher* next_;
  std::size_t done_ = 0;
};

// The one report at the end of an emptying.
std::string CleanedText(const CacheRunTotals& totals, bool recycle) {
  std::string text = "Removed " + GroupedCount(totals.removed_files) +
                     (totals.removed_files == 1 ? " file (" : " files (") + SizeText(totals.removed_bytes) +
                     ") from the browser caches" + (recycle ? ", into the trash." : ".");
  for (const CacheSetKey& set : totals.running) {
    text.append("\nLeft alone, the browser is running now: ").append(set.browser);
    if (!set.profile.empty()) text.append(1, ' ').append(set.profile);
  }
  for (const std::string& folder : totals.not_cleaned) {
    text += "\nLeft alone, no longer where it was found: " + folder;
  }
  for (const std::string& folder : totals.other_mounts) {
    text += "\nLeft alone, a mount inside the cache folder: " + folder;
  }
  if (!totals.left.Text().empty()) text.append(1, '\n').append(totals.left.Text());
  return text;
}

// A page's introduction and its list of sets below it, in `layout`; the
// last column is `last`.
QTreeWidget* SetList(QVBoxLayout* layout, const QString& intro_text, const QString& name, const QString& last) {
  QWidget* page = layout->parentWidget();
  auto* intro = new QLabel(intro_text, page);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  auto* list = new QTreeWidget(page);
  list->setObjectName(name);
  list->setHeaderLabels({"Browser", "Profile", "Files", "Size", "On close", last});
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setTextElideMode(Qt::ElideMiddle);  // a cache folder or profile is told apart by its ends
  layout->addWidget(list);
  return list;
}

// Fills a list with the sets' rows, made by `make`, and sizes its figure columns to them.
template <typename MakeRow>
void FillList(QTreeWidget& list, const std::vector<CacheSet>& found, bool watching, MakeRow make) {
  list.clear();
  for (const CacheSet& set : found) AddSetRows(list, set, watching, make);
  for (int column = BrowserCachesDialog::kBrowser; column < BrowserCachesDialog::kFolder; ++column) {
    list.resizeColumnToContents(column);
  }
  if (list.topLevelItemCount() > 0) list.setCurrentItem(list.topLevelItem(0));  // Space ticks from the first row on
}

}  // namespace

BrowserCachesDialog::BrowserCachesDialog(const std::vector<CacheSet>& found, SlotHints& hints, BusyCursor& file_work,
                                         TRegFile& reg_file1, bool watching, QWidget* parent)
    : QDialog(parent), hints_(hints), file_work_(file_work), reg_file1_(reg_file1), watching_(watching) {
  setObjectName("BrowserCachesDialog");
  setWindowTitle("Find browser caches");
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  clean_page_ = CleanPage(found);
  pages_->addTab(clean_page_, "Clean now");
  pages_->addTab(StorePage(found), "Store in user buttons");
  layout->addWidget(pages_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  // OK and Clean now empty caches or store buttons: Enter answers Cancel.
  SafeDefault(buttons->button(QDialogButtonBox::Cancel), {buttons->button(QDialogButtonBox::Ok), clean_now_});
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Guarded(this, [this] { OkClick(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  ResizeWithinScreen(this, {820, 400});
  CentreOnScreen(this);
  ShowShortage();
  clean_list_->setFocus();
}

QWidget* BrowserCachesDialog::StorePage(const std::vector<CacheSet>& found) {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  list_ = SetList(layout, found.empty() ? "No browser cache folder holding files was found."
                                        : "Tick the cache folders to store in the free user buttons (U1 to U6). "
                                          "Close a browser before its cache is cleaned.",
                  "CacheList", "Folder");
  FillList(*list_, found, watching_, [&](const CacheSet& each) { return CacheRow(each, hints_); });

  shortage_ = new QLabel(page);
  shortage_->setObjectName("Shortage");
  shortage_->setWordWrap(true);
  layout->addWidget(shortage_);
  connect(list_, &QTreeWidget::itemChanged, this, [this] { ShowShortage(); });
  return page;
}

QWidget* BrowserCachesDialog::CleanPage(const std::vector<CacheSet>& found) {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  clean_list_ = SetList(layout,
                        "Tick the caches to empty now. Every file in each cache folder and its subfolders goes, "
                        "hidden ones too; the folders stay, and so do cookies, history and settings. A running "
                        "browser's caches are left alone.",
                        "CleanList", "Folders");
  FillList(*clean_list_, found, watching_, CleanRow);

  auto* row = new QHBoxLayout;
  to_trash_ = new QCheckBox("Move the files into the trash (off: delete them for good)", page);
  to_trash_->setObjectName("CleanToTrash");
  to_trash_->setChecked(true);
  clean_now_ = new QPushButton("Clean ticked caches now", page);
  clean_now_->setObjectName("CleanNow");
  clean_now_->setEnabled(false);
  row->addWidget(to_trash_, 1);
  row->addWidget(clean_now_);
  layout->addLayout(row);
  connect(clean_list_, &QTreeWidget::itemChanged, this,
          [this] { clean_now_->setEnabled(!Ticked(*clean_list_).sets.empty()); });
  connect(clean_now_, &QPushButton::clicked, this, [this] { Guarded(this, [this] { CleanNowClick(); }); });
  return page;
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

bool BrowserCachesDialog::CleanNowClick() {
  const TickedSets ticked = Ticked(*clean_list_);
  const bool recycle = to_trash_->isChecked();
  if (!AskConfirmation("Empty " + Counted(ticked.sets.size(), "browser cache") + " now, " +
                       Counted(ticked.files, "file") + " (" + SizeText(ticked.bytes) + "), " +
                       (recycle ? "into the trash?" : "for good?"))) {
    return false;
  }
  CacheRunTotals totals;
  std::vector<CacheSet> after;
  file_work_.RunFileWork(ticked.files, [&](DeleteWatcher* watcher) {
    EntryCounter counter(watcher);
    totals = EmptyChosenCacheSets(ticked.sets, recycle, &counter);
    after = FindUserBrowserCaches();  // the figures now
  });
  FillList(*clean_list_, after, watching_, CleanRow);
  RefillStoreList(after);
  clean_now_->setEnabled(false);
  vorlix::ShowInformation(this, CleanedText(totals, recycle));
  return true;
}

void BrowserCachesDialog::RefillStoreList(const std::vector<CacheSet>& found) {
  const std::vector<std::string> ticked = TickedFolders();
  const QSignalBlocker quiet(list_);
  FillList(*list_, found, watching_, [&](const CacheSet& each) { return CacheRow(each, hints_); });
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = list_->topLevelItem(i);
    const std::string dos = row->data(kFolder, kDosPathRole).toString().toStdString();
    if (!dos.empty() && std::find(ticked.begin(), ticked.end(), dos) != ticked.end()) {
      row->setCheckState(kBrowser, Qt::Checked);
    }
  }
  ShowShortage();
}

void BrowserCachesDialog::OkClick() {
  if (pages_->currentWidget() == clean_page_) {
    // Here OK empties the ticked caches, as Clean now does, and closes once they are emptied.
    if (Ticked(*clean_list_).sets.empty()) {
      reject();
    } else if (CleanNowClick()) {
      accept();
    }
    return;
  }
  const std::vector<std::string> ticked = TickedFolders();
  if (ticked.empty()) {
    reject();  // nothing ticked: nothing to store
  } else if (StoreCacheFolders(ticked, hints_, *this, reg_file1_)) {
    accept();
  }
}

bool BrowserCachesDialog::AskWarning(const std::string& text) { return vorlix::AskWarning(this, text); }
// Emptying caches and storing buttons from here: Enter answers No.
bool BrowserCachesDialog::AskConfirmation(const std::string& text) {
  return vorlix::AskConfirmationNoDefault(this, text);
}
void BrowserCachesDialog::ShowInformation(const std::string& text) { vorlix::ShowInformation(this, text); }

void ShowBrowserCachesDialog(QWidget* parent, SlotHints& hints, BusyCursor& file_work, TRegFile& reg_file1) {
  std::vector<CacheSet> found;
  bool watching = false;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore_cursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    QProgressDialog searching("Looking for browser caches...", QString(), 0, 0, parent);
    searching.setWindowTitle("Find browser caches");
    searching.setCancelButton(nullptr);
    searching.setWindowModality(Qt::ApplicationModal);  // no other command while the search runs
    searching.show();
    RunOffThread([&] {
      found = FindUserBrowserCaches();
      watching = ReadWatchStatus(UserSchedulePlace()).on;
    });
  }
  BrowserCachesDialog dialog(found, hints, file_work, reg_file1, watching, parent);
  dialog.exec();
}

}  // namespace vorlix
