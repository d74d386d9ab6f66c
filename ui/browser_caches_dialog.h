// SPDX-License-Identifier: MIT
// "Find browser caches": lists the cache sets found for the current user, one
// row per browser and profile, with tick boxes, twice: on the first page the
// ticked sets are emptied whole at once, into the trash or for good; on the
// other OK stores each ticked set's main folder in the next free user button.
// Each row says whether the browser-close watcher empties it.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "cleaning/browser_caches.h"
#include "actions/main_view.h"
#include "settings/reg_files.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace vorlix {

class BrowserCachesDialog : public QDialog, private MessageBoxes {
  Q_OBJECT

 public:
  // The list's columns.
  enum Column { kBrowser, kProfile, kFiles, kSize, kWatch, kFolder };

  // `file_work` runs the emptying off the window's thread with its progress;
  // `watching`: the browser-close watcher is on.
  BrowserCachesDialog(const std::vector<CacheSet>& found, SlotHints& hints, BusyCursor& file_work,
                      TRegFile& reg_file1, bool watching = false, QWidget* parent = nullptr);

  // The DOS paths of the ticked folders, in list order.
  std::vector<std::string> TickedFolders() const;

 private:
  QWidget* StorePage(const std::vector<CacheSet>& found);
  QWidget* CleanPage(const std::vector<CacheSet>& found);
  void ShowShortage();
  // OK acts on the page shown: it empties the ticked caches or stores the ticked folders.
  void OkClick();
  // Asks, empties the ticked caches and shows both lists' figures anew; false when the answer was No.
  bool CleanNowClick();
  // Fills the storing page's list with the sets found now, keeping the ticks of the folders still offered.
  void RefillStoreList(const std::vector<CacheSet>& found);

  bool AskWarning(const std::string& text) override;
  bool AskConfirmation(const std::string& text) override;
  void ShowInformation(const std::string& text) override;

  SlotHints& hints_;
  BusyCursor& file_work_;
  TRegFile& reg_file1_;
  bool watching_;
  QTabWidget* pages_ = nullptr;
  QWidget* clean_page_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* shortage_ = nullptr;
  QTreeWidget* clean_list_ = nullptr;
  QCheckBox* to_trash_ = nullptr;
  QPushButton* clean_now_ = nullptr;
};

// Searches the current user's places and reads whether the watcher is on on a
// worker thread, the window staying drawn meanwhile, and shows the dialog modally.
void ShowBrowserCachesDialog(QWidget* parent, SlotHints& hints, BusyCursor& file_work, TRegFile& reg_file1);

}  // namespace vorlix
