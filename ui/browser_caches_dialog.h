// SPDX-License-Identifier: MIT
// "Find browser caches": lists the cache sets found for the current user, one
// row per browser and profile, with tick boxes; OK stores each ticked set's
// main folder in the next free user button.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "cleaning/browser_caches.h"
#include "actions/main_view.h"
#include "settings/reg_files.h"

class QLabel;
class QTreeWidget;

namespace vorlix {

class BrowserCachesDialog : public QDialog, private MessageBoxes {
  Q_OBJECT

 public:
  // The list's columns.
  enum Column { kBrowser, kProfile, kFiles, kSize, kFolder };

  BrowserCachesDialog(const std::vector<CacheSet>& found, SlotHints& hints, TRegFile& reg_file1,
                      QWidget* parent = nullptr);

  // The DOS paths of the ticked folders, in list order.
  std::vector<std::string> TickedFolders() const;

 private:
  void ShowShortage();
  void OkClick();

  bool AskWarning(const std::string& text) override;
  bool AskConfirmation(const std::string& text) override;
  void ShowInformation(const std::string& text) override;

  SlotHints& hints_;
  TRegFile& reg_file1_;
  QTreeWidget* list_ = nullptr;
  QLabel* shortage_ = nullptr;
};

// Searches the current user's places on a worker thread, the window staying
// drawn meanwhile, and shows the dialog modally.
void ShowBrowserCachesDialog(QWidget* parent, SlotHints& hints, TRegFile& reg_file1);

}  // namespace vorlix
