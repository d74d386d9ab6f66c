// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <filesystem>
#include <string>

#include "cleaning/let_go_setting.h"
#include "cleaning/listed_files.h"
#include "cleaning/run_record.h"
#include "settings/settings_catalogue.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"
#include "ui/let_go_dialog.h"
#include "ui/restore_dialog.h"

namespace vorlix {
namespace {

using SafetyNetDialogsTest = test::DriveDTest;

// One recorded run into the trash of a folder of drive d holding one file; returns the file's path.
std::string TrashedRun(const std::string& root, const std::string& folder) {
  std::filesystem::create_directory(root + "/" + folder);
  test::WriteFile(root + "/" + folder + "/entry", folder);
  const RunRecordScope record;
  EXPECT_EQ(DeleteListedFiles(ReadListedFolder("D:\\" + folder), true), DeleteOutcome::kDone);
  return root + "/" + folder + "/entry";
}

TEST_F(SafetyNetDialogsTest, TheChosenRunComesBackAndTheReportSaysSo) {
  const std::string older = TrashedRun(root_, "older");
  const std::string newer = TrashedRun(root_, "newer");
  RestoreDialog dialog;
  auto* list = dialog.findChild<QTreeWidget*>("RunList");
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(RestoreDialog::kFolders).toStdString(), root_ + "/newer");
  list->setCurrentItem(list->topLevelItem(1));
  test::BoxAnswerer answerer;
  dialog.findChild<QPushButton*>("RestoreButton")->click();
  ASSERT_EQ(answerer.Seen().size(), 1);
  EXPECT_TRUE(answerer.Seen()[0].endsWith("1 file was put back where it came from."))
      << answerer.Seen()[0].toStdString();
  EXPECT_EQ(test::ReadFile(older), "older");
  EXPECT_FALSE(test::PathExists(newer));
  ASSERT_EQ(list->topLevelItemCount(), 1);  // a run with nothing left in the trash is gone
  EXPECT_EQ(RestoreProgressText(5000, 30000), QStringLiteral("Putting back 5,000 of 30,000 files\u2026"));
  EXPECT_EQ(RestoreProgressText(0, 1), QStringLiteral("Putting back 0 of 1 file\u2026"));
}

TEST_F(SafetyNetDialogsTest, TheDaysAreStoredOnlyWhileTicked) {
  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  for (const bool ticked : {true, false}) {
    LetGoDialog dialog(store);
    dialog.findChild<QCheckBox*>("LetGoOn")->setChecked(ticked);
    auto* days = dialog.findChild<QSpinBox*>("LetGoDays");
    days->setValue(1);
    EXPECT_EQ(days->text(), "1 day");
    days->setValue(9);
    EXPECT_EQ(days->text(), "9 days");
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(ReadLetGoDays(store), ticked ? std::optional<int>(9) : std::nullopt);
  }
}

// Enter never puts files back or stores a setting: it closes the dialog, wherever the focus stands.
TEST_F(SafetyNetDialogsTest, EnterClosesTheDialogsAndDoesNothingElse) {
  const std::string trashed = TrashedRun(root_, "kept");
  RestoreDialog restore;
  for (const char* focus : {"RunList", "RestoreButton"}) {
    test::PressEnterOn(restore.findChild<QWidget*>(focus));
    EXPECT_FALSE(restore.isVisible()) << focus;
  }
  EXPECT_FALSE(test::PathExists(trashed));

  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  LetGoDialog let_go(store);
  let_go.findChild<QCheckBox*>("LetGoOn")->setChecked(true);
  test::PressEnterOn(let_go.findChild<QSpinBox*>("LetGoDays"));
  EXPECT_FALSE(let_go.isVisible());
  EXPECT_EQ(ReadLetGoDays(store), std::nullopt);
}

}  // namespace
}  // namespace vorlix
