// SPDX-License-Identifier: MIT
#include "ui/browser_caches_dialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <string>
#include <vector>

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

TEST_F(BrowserCachesDialogTest, TickedFoldersGoToFreeUserButtonsOnlyAsARightClickSaveStoresThem) {
  const std::string home = root_ + "/home";
  Put(home + "/.cache/mozilla/firefox/p1/cache2/entries/E1");
  Put(home + "/.cache/chromium/Default/Cache/Cache_Data/data_0");
  Put(home + "/.cache/thumbnails/large/t.png");
  Put(home + "/.cache/thumbnails/normal/t.png");
  Put(home + "/.cache/thumbnails/odd\\name/t.png");  // no DOS path can name it
  const std::vector<FoundCache> found =
      FindBrowserCaches({home, home + "/.cache", ""}, {{"/usr/lib/firefox/firefox", "firefox"}});

  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  test::FakeMainView view;
  for (const std::size_t set : {8u, 10u, 12u}) {  // U1, U3 and U5 are set already
    store.WriteValue(kFolderSlots[set].DriveValue(), std::string("d"));
    store.WriteValue(kFolderSlots[set].FolderValue(), std::string("D:\\kept"));
    store.WriteValue(kFolderSlots[set].HintValue(), std::string("D:\\kept"));
    view.hints[set] = "D:\\kept";
  }
  BrowserCachesDialog dialog(found, view, store);

  auto* list = dialog.findChild<QTreeWidget*>("CacheList");
  ASSERT_EQ(list->topLevelItemCount(), 5);
  const QString dos_home = "D:\\home\\.cache\\";
  const QStringList folders = {dos_home + "mozilla\\firefox\\p1\\cache2\\entries",
                               dos_home + "chromium\\Default\\Cache\\Cache_Data", dos_home + "thumbnails\\large",
                               dos_home + "thumbnails\\normal"};
  for (int i = 0; i < 4; ++i) {
    QTreeWidgetItem* row = list->topLevelItem(i);
    EXPECT_EQ(row->text(BrowserCachesDialog::kFolder), folders[i]);
    EXPECT_EQ(row->text(BrowserCachesDialog::kFiles), "1");
    EXPECT_TRUE(row->flags() & Qt::ItemIsEnabled);
    row->setCheckState(BrowserCachesDialog::kBrowser, Qt::Checked);
  }
  EXPECT_EQ(list->topLevelItem(0)->text(BrowserCachesDialog::kBrowser), "Firefox (running)");
  EXPECT_EQ(list->topLevelItem(1)->text(BrowserCachesDialog::kBrowser), "Chromium");
  QTreeWidgetItem* unreachable = list->topLevelItem(4);
  EXPECT_FALSE(unreachable->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(unreachable->data(BrowserCachesDialog::kBrowser, Qt::CheckStateRole).isValid());
  EXPECT_EQ(dialog.findChild<QLabel*>("Shortage")->text(),
            "4 folders are ticked but only 3 user buttons are free: the last 1 will not be saved.");

  QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
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
  for (const std::size_t kept : {8u, 10u, 12u}) {
    EXPECT_EQ(ReadText(store, kFolderSlots[kept].FolderValue(), ""), "D:\\kept");
    EXPECT_EQ(view.hints[kept], "D:\\kept");
  }
}

}  // namespace
}  // namespace vorlix
