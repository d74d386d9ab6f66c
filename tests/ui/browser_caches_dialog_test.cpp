// SPDX-License-Identifier: MIT
#include "ui/browser_caches_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/processes.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "tests/actions/fake_main_view.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;

using BrowserCachesDialogTest = test::DriveDTest;

void Put(const std::string& path) {
  fs::create_directories(fs::path(path).parent_path());
  test::WriteFile(path, "cached");
}

TEST_F(BrowserCachesDialogTest, TickedSetsStoreTheirMainFolderInFreeUserButtonsOnlyAsARightClickSaveStoresThem) {
  const std::string home = root_ + "/home";
  Put(home + "/.cache/mozilla/firefox/p1/cache2/entries/E1");
  Put(home + "/.cache/mozilla/firefox/p1/startupCache/s");
  fs::create_directories(home + "/.mozilla/firefox/p1");
  fs::create_symlink("127.0.1.1:+" + std::to_string(getpid()), home + "/.mozilla/firefox/p1/lock");
  Put(home + "/.cache/chromium/Default/Cache/Cache_Data/data_0");
  test::WriteFile(home + "/.cache/chromium/Default/Cache/Cache_Data/data_1", std::string(673038, 'x'));
  Put(home + "/.cache/chromium/odd\\name/Cache/Cache_Data/f");  // no DOS path can name it
  Put(home + "/snap/chromium/common/.cache/chromium/Default/Cache/Cache_Data/f");
  Put(home + "/.cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data/f");
  Put(home + "/.cache/thumbnails/large/t.png");
  Put(home + "/.cache/thumbnails/normal/t.png");
  const std::vector<CacheSet> found = FindBrowserCaches({home, home + "/.cache", "", home + "/.config"}, {});

  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  test::FakeMainView view;
  const std::string brave = "D:\\home\\.cache\\BraveSoftware\\Brave-Browser\\Default\\Cache\\Cache_Data";
  const std::vector<std::pair<std::size_t, std::string>> kept = {{8, brave}, {10, "D:\\kept"}, {12, "D:\\kept"}};
  for (const auto& [set, folder] : kept) {  // U1, U3 and U5 are set already
    store.WriteValue(kFolderSlots[set].DriveValue(), std::string("d"));
    store.WriteValue(kFolderSlots[set].FolderValue(), folder);
    store.WriteValue(kFolderSlots[set].HintValue(), folder);
    view.hints[set] = folder;
  }
  BrowserCachesDialog dialog(found, view, view, store);

  auto* list = dialog.findChild<QTreeWidget*>("CacheList");
  ASSERT_EQ(list->topLevelItemCount(), 6);
  const QString dos_home = "D:\\home\\";
  const QStringList folders = {dos_home + ".cache\\mozilla\\firefox\\p1\\cache2\\entries",
                               dos_home + ".cache\\chromium\\Default\\Cache\\Cache_Data",
                               dos_home + "snap\\chromium\\common\\.cache\\chromium\\Default\\Cache\\Cache_Data",
                               dos_home + ".cache\\thumbnails\\normal"};
  const QStringList browsers = {"Firefox (running)", "Chromium", "Chromium (Snap)", "Thumbnails"};
  const std::vector<int> offered = {0, 1, 3, 5};
  for (int i = 0; i < 4; ++i) {
    QTreeWidgetItem* row = list->topLevelItem(offered[i]);
    EXPECT_EQ(row->text(BrowserCachesDialog::kBrowser), browsers[i]);
    EXPECT_EQ(row->text(BrowserCachesDialog::kFolder), folders[i]);
    EXPECT_TRUE(row->flags() & Qt::ItemIsEnabled);
    row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Checked);
  }
  // A set's figures are those of all its folders; sizes count in thousands.
  EXPECT_EQ(list->topLevelItem(0)->text(BrowserCachesDialog::kFiles), "2");
  EXPECT_EQ(list->topLevelItem(1)->text(BrowserCachesDialog::kFiles), "2");
  EXPECT_EQ(list->topLevelItem(1)->text(BrowserCachesDialog::kSize), "673.0 kB");
  EXPECT_EQ(list->topLevelItem(5)->text(BrowserCachesDialog::kFiles), "2");
  // A running browser's set is greyed; the others are not.
  EXPECT_EQ(list->topLevelItem(0)->foreground(BrowserCachesDialog::kBrowser),
            QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
  EXPECT_EQ(list->topLevelItem(1)->foreground(BrowserCachesDialog::kBrowser).style(), Qt::NoBrush);
  // Not offered: a folder no drive reaches, and one a user button holds already.
  for (const int untickable : {2, 4}) {
    QTreeWidgetItem* row = list->topLevelItem(untickable);
    EXPECT_FALSE(row->flags() & Qt::ItemIsEnabled) << untickable;
    EXPECT_FALSE(row->data(BrowserCachesDialog::kBrowser, Qt::CheckStateRole).isValid()) << untickable;
  }
  EXPECT_EQ(list->topLevelItem(4)->toolTip(BrowserCachesDialog::kFolder), "Already stored in U1.");
  // Whether the browser-close watcher empties each set: the thumbnails are never watched.
  const BrowserCachesDialog watched(found, view, view, store, true);
  for (QTreeWidget* each : {list, watched.findChild<QTreeWidget*>("CacheList"),
                            watched.findChild<QTreeWidget*>("CleanList")}) {
    const QString on = each == list ? "Off" : "On";
    EXPECT_EQ(each->topLevelItem(0)->text(BrowserCachesDialog::kWatch), on);
    EXPECT_EQ(each->topLevelItem(3)->text(BrowserCachesDialog::kWatch), on);
    EXPECT_EQ(each->topLevelItem(5)->text(BrowserCachesDialog::kWatch), "Not watched");
  }
  EXPECT_EQ(dialog.findChild<QLabel*>("Shortage")->text(),
            "4 folders are ticked but only 3 user buttons are free: the last 1 will not be saved.");

  QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  dialog.findChild<QTabWidget*>()->setCurrentIndex(1);  // OK stores from the page "Store in user buttons"
  {
    test::BoxAnswerer answerer({QMessageBox::No});
    ok->click();
    ASSERT_EQ(answerer.Seen().size(), 1);
    const QString question = answerer.Seen()[0];
    EXPECT_TRUE(question.startsWith("Confirm: ")) << question.toStdString();
    EXPECT_TRUE(question.contains("U2: " + folders[0] + "\nU4: " + folders[1] + "\nU6: " + folders[2] +
                                  "\nNo user button is free for these, so they are not saved:\n" + folders[3]))
        << question.toStdString();
  }
  EXPECT_FALSE(store.ValueExists("", kFolderSlots[9].DriveValue()));
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  test::BoxAnswerer answerer;
  ok->click();
  ASSERT_EQ(answerer.Seen().size(), 2);
  EXPECT_TRUE(answerer.Seen()[1].endsWith(
      "User Button 2 Settings Saved.\nUser Button 4 Settings Saved.\nUser Button 6 Settings Saved."));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const std::vector<std::pair<std::size_t, QString>> stored = {{9, folders[0]}, {11, folders[1]}, {13, folders[2]}};
  for (const auto& [slot, folder] : stored) {
    const std::string dos = folder.toStdString();
    EXPECT_EQ(ReadText(store, kFolderSlots[slot].DriveValue(), ""), "d");
    EXPECT_EQ(ReadText(store, kFolderSlots[slot].FolderValue(), ""), dos);
    EXPECT_EQ(ReadText(store, kFolderSlots[slot].HintValue(), ""), dos);
    EXPECT_EQ(view.hints[slot], dos);
    // A right-click save with the folder in view stores the same drive and folder.
    view.SetTreeDirectory(dos);
    EXPECT_EQ(view.DriveBoxDrive(), 'd');
    EXPECT_EQ(view.TreeDirectory(), dos);
  }
  for (const auto& [set, folder] : kept) {
    EXPECT_EQ(ReadText(store, kFolderSlots[set].FolderValue(), ""), folder);
    EXPECT_EQ(view.hints[set], folder);
  }
}

TEST_F(BrowserCachesDialogTest, TickedSetsAreEmptiedWholeAtOnceAndABrowserStartedSinceTheyWereShownKeepsItsCaches) {
  const std::string home = getenv("HOME");
  const std::string chromium = home + "/.cache/chromium";
  Put(chromium + "/Default/Cache/Cache_Data/data_0");
  Put(chromium + "/Default/Cache/Cache_Data/index-dir/the-real-index");
  Put(chromium + "/Profile 1/Cache/Cache_Data/data_0");
  Put(home + "/.cache/mozilla/firefox/p1/cache2/entries/E1");
  fs::create_directories(home + "/.mozilla/firefox/p1");
  fs::create_symlink("127.0.1.1:+" + std::to_string(getpid()), home + "/.mozilla/firefox/p1/lock");
  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  test::FakeMainView view;
  BrowserCachesDialog dialog(FindBrowserCaches(UserCacheSearchPlaces(), {}), view, view, store);
  auto* list = dialog.findChild<QTreeWidget*>("CleanList");
  auto* clean_now = dialog.findChild<QPushButton*>("CleanNow");
  const auto tick = [&](const QString& profile) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = list->topLevelItem(i);
      if (row->text(BrowserCachesDialog::kProfile) == profile) {
        row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Checked);
      }
    }
  };
  // The running Firefox cannot be ticked; nothing ticked, nothing to run.
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_FALSE(list->findItems("Firefox (running)", Qt::MatchExactly)[0]->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(clean_now->isEnabled());

  tick("Default");
  {
    // Enter answers No: nothing is emptied.
    test::BoxAnswerer answerer({test::BoxAnswerer::kEnter});
    clean_now->click();
    ASSERT_EQ(answerer.Seen().size(), 1);
    EXPECT_TRUE(test::PathExists(chromium + "/Default/Cache/Cache_Data/index-dir/the-real-index"));
  }
  // Into the trash, as the dialog opens: while the trash cannot be used,
  // the files tried stay and count for nothing.
  const std::string trash = std::string(getenv("XDG_DATA_HOME")) + "/Trash";
  fs::remove_all(trash);
  test::WriteFile(trash, "");
  for (const auto& [removed, stay] :
       {std::pair{"Removed 0 files (0 bytes) from the browser caches, into the trash.", true},
        std::pair{"Removed 2 files (12 bytes) from the browser caches, into the trash.", false}}) {
    tick("Default");
    test::BoxAnswerer answerer;
    clean_now->click();
    ASSERT_EQ(answerer.Seen().size(), 2);
    EXPECT_TRUE(answerer.Seen()[0].contains("2 files")) << answerer.Seen()[0].toStdString();
    EXPECT_TRUE(answerer.Seen()[1].contains(removed)) << answerer.Seen()[1].toStdString();
    EXPECT_EQ(test::PathExists(chromium + "/Default/Cache/Cache_Data/data_0"), stay);
    if (stay) fs::remove(trash);
  }
  EXPECT_EQ(test::ReadFile(trash + "/files/the-real-index"), "cached");
  EXPECT_TRUE(fs::is_directory(chromium + "/Default/Cache/Cache_Data/index-dir"));
  EXPECT_TRUE(test::PathExists(chromium + "/Profile 1/Cache/Cache_Data/data_0"));
  EXPECT_TRUE(test::PathExists(home + "/.cache/mozilla/firefox/p1/cache2/entries/E1"));
  // The list shows what is left: the emptied set holds nothing more.
  EXPECT_EQ(list->topLevelItemCount(), 2);
  EXPECT_TRUE(list->findItems("Default", Qt::MatchExactly, BrowserCachesDialog::kProfile).isEmpty());

  // Chromium starts after the list was shown.
  const std::string user_data = std::string(getenv("XDG_CONFIG_HOME")) + "/chromium";
  fs::create_directories(user_data);
  fs::create_symlink(platform::HostName() + "-" + std::to_string(getpid()), user_data + "/SingletonLock");
  tick("Profile 1");
  test::BoxAnswerer answerer;
  clean_now->click();
  ASSERT_EQ(answerer.Seen().size(), 2);
  EXPECT_TRUE(answerer.Seen()[1].contains("Left alone, the browser is running now: Chromium Profile 1"))
      << answerer.Seen()[1].toStdString();
  EXPECT_TRUE(test::PathExists(chromium + "/Profile 1/Cache/Cache_Data/data_0"));
}

// The dialog opens on "Clean now", whose OK empties the ticked caches and never stores the ticks
// of the other page; after an emptying both pages show what the caches hold now; Enter cancels.
TEST_F(BrowserCachesDialogTest, OkActsOnThePageShownAndBothPagesShowTheCachesAsTheyAreNow) {
  const std::string home = getenv("HOME");
  Put(home + "/.cache/chromium/Default/Cache/Cache_Data/data_0");
  Put(home + "/.cache/chromium/Default/Cache/Cache_Data/data_1");
  Put(home + "/.cache/thumbnails/normal/t.png");
  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  test::FakeMainView view;
  BrowserCachesDialog dialog(FindBrowserCaches(UserCacheSearchPlaces(), {}), view, view, store);
  auto* pages = dialog.findChild<QTabWidget*>();
  EXPECT_EQ(pages->tabText(pages->currentIndex()), "Clean now");
  EXPECT_TRUE(dialog.findChild<QCheckBox*>("CleanToTrash")->isChecked());
  auto* clean_list = dialog.findChild<QTreeWidget*>("CleanList");
  auto* store_list = dialog.findChild<QTreeWidget*>("CacheList");
  ASSERT_EQ(clean_list->topLevelItemCount(), 2);
  ASSERT_EQ(store_list->topLevelItemCount(), 2);
  for (QTreeWidget* list : {clean_list, store_list}) {
    list->topLevelItem(0)->setCheckState(BrowserCachesDialog::kBrowser, Qt::Checked);  // Chromium
  }
  EXPECT_EQ(store_list->topLevelItem(0)->text(BrowserCachesDialog::kFiles), "2");

  // Enter, with the focus on the list or on OK, cancels: nothing is emptied or stored.
  for (QWidget* focus : {static_cast<QWidget*>(clean_list),
                         static_cast<QWidget*>(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok))}) {
    test::PressEnterOn(focus);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
  }
  EXPECT_TRUE(test::PathExists(home + "/.cache/chromium/Default/Cache/Cache_Data/data_0"));

  dialog.show();
  test::BoxAnswerer answerer;
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  ASSERT_EQ(answerer.Seen().size(), 2);
  EXPECT_TRUE(answerer.Seen()[0].startsWith("Confirm: Empty 1 browser cache now, 2 files"))
      << answerer.Seen()[0].toStdString();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(test::PathExists(home + "/.cache/chromium/Default/Cache/Cache_Data/data_0"));
  EXPECT_FALSE(store.ValueExists("", kFolderSlots[8].DriveValue()));
  EXPECT_EQ(view.hints[8], test::FakeMainView().hints[8]);
  // The emptied Chromium set is gone from both pages; the thumbnails' figures stay.
  for (QTreeWidget* list : {clean_list, store_list}) {
    ASSERT_EQ(list->topLevelItemCount(), 1) << list->objectName().toStdString();
    EXPECT_EQ(list->topLevelItem(0)->text(BrowserCachesDialog::kBrowser), "Thumbnails");
    EXPECT_EQ(list->topLevelItem(0)->text(BrowserCachesDialog::kFiles), "1");
  }
}

}  // namespace
}  // namespace vorlix
