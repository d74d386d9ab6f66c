// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "settings/settings_catalogue.h"
#include "tests/common/test_env.h"
#include "ui/delete_method_dialog.h"
#include "ui/kill_all_dialog.h"
#include "ui/help.h"

namespace vorlix {
namespace {

// Each test works on a settings store of its own.
template <class Dialog>
class DialogTest : public ::testing::Test {
 protected:
  DialogTest() {
    setenv("XDG_CONFIG_HOME", test::MakeTempDir("config").c_str(), 1);
    BindSettingsStore(store_, "TForm1", "RegFile1");
  }
  ~DialogTest() override { dialog_.hide(); }

  QCheckBox* Box(const char* name) const { return dialog_.template findChild<QCheckBox*>(name); }
  QPushButton* Button(const char* name) const { return dialog_.template findChild<QPushButton*>(name); }
  // The check boxes' names from the top down.
  std::vector<QString> BoxNamesTopDown() const {
    QList<QCheckBox*> boxes = dialog_.template findChildren<QCheckBox*>();
    std::sort(boxes.begin(), boxes.end(), [](QCheckBox* a, QCheckBox* b) { return a->y() < b->y(); });
    std::vector<QString> names;
    for (QCheckBox* box : boxes) names.push_back(box->objectName());
    return names;
  }

  TRegFile store_;  // the program's settings key
  ProgramState state_;
  Dialog dialog_{state_};
};

using Form5Test = DialogTest<TForm5>;
using Form4Test = DialogTest<TForm4>;

TEST_F(Form5Test, SixteenBoxesInItemOrderBesideBoldCautionAndCancelAsDefault) {
  EXPECT_EQ(dialog_.windowTitle(), "Delete all Cache Folders");
  EXPECT_EQ(dialog_.size(), QSize(535, 346));
  const std::vector<QString> names = {"cb1", "cb2", "cb3", "cb4", "cb05", "cb06", "cb07", "cb08",
                                      "cb5", "cb6", "cb7", "cb8", "cb9",  "cb10", "cb11", "cb13"};
  EXPECT_EQ(BoxNamesTopDown(), names);
  const auto* caution = dialog_.findChild<QLabel*>("Label1");
  EXPECT_TRUE(caution->font().bold());
  EXPECT_TRUE(caution->text().startsWith("Caution!  This will clean out"));
  EXPECT_TRUE(dialog_.findChild<QLabel*>("Label2")->font().bold());
  EXPECT_TRUE(Button("BitBtn2")->isDefault());
  EXPECT_FALSE(Button("BitBtn1")->isDefault());
}

TEST_F(Form5Test, EachShowingRefillsFromTheStoreAndOkStoresAllSixteen) {
  store_.WriteValue("Delete all 3 selected", true);
  store_.WriteValue("User Button 2 Default Folder", "C:\\fish & chips");
  dialog_.show();
  EXPECT_TRUE(Box("cb3")->isChecked());
  EXPECT_FALSE(Box("cb1")->isChecked());
  EXPECT_EQ(Box("cb05")->text(), "\\windows\\Temporary Internet Files\\cache5");  // what ticking it empties
  EXPECT_EQ(Box("cb6")->text(), "C:\\fish && chips");  // shown with a plain "&"
  EXPECT_EQ(Box("cb13")->text(), "Internet Explorer History folder");

  QTest::mouseClick(Button("BitBtn3"), Qt::LeftButton);  // Check All
  QTest::mouseClick(Button("BitBtn1"), Qt::LeftButton);  // OK
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
  std::array<bool, 16> all{};
  all.fill(true);
  EXPECT_EQ(state_.kill_all, all);
  EXPECT_EQ(store_.ReadValue("Delete IE History List"), Variant(std::int32_t{-1}));

  // Clear All, then Esc: the next showing shows the stored selection again.
  dialog_.show();
  QTest::mouseClick(Button("BitBtn4"), Qt::LeftButton);
  EXPECT_FALSE(Box("cb11")->isChecked());
  QTest::keyClick(Box("cb11"), Qt::Key_Escape);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_EQ(state_.kill_all, all);
  dialog_.show();
  EXPECT_TRUE(Box("cb11")->isChecked());
}

TEST_F(Form5Test, AClickAnywhereInABoxsRowTogglesIt) {
  store_.WriteValue("IE Button 1 Default Folder", "C:\\a");
  dialog_.show();
  QCheckBox* box = Box("cb1");
  ASSERT_EQ(box->width(), 284);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
  EXPECT_TRUE(box->isChecked());
}

TEST_F(Form5Test, EnterOnACheckBoxCancels) {
  dialog_.show();
  QTest::mouseClick(Box("cb1"), Qt::LeftButton);
  ASSERT_TRUE(Box("cb1")->isChecked());
  Box("cb1")->setFocus();
  QTest::keyClick(Box("cb1"), Qt::Key_Return);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_FALSE(state_.kill_all[0]);
  EXPECT_TRUE(store_.ReadValue("Delete all 1 selected").IsNull());
}

// Once OK has been used, the next showing still answers Enter with Cancel,
// wherever the focus stands: no button takes the default over.
TEST_F(Form5Test, EnterCancelsAtEveryShowingEvenAfterOkWasUsed) {
  dialog_.show();
  dialog_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
  Button("BitBtn1")->setFocus();
  QTest::keyClick(Button("BitBtn1"), Qt::Key_Space);
  ASSERT_EQ(dialog_.result(), QDialog::Accepted);
  for (const char* focus : {"BitBtn1", "BitBtn3"}) {
    dialog_.show();
    dialog_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    Button(focus)->setFocus();
    EXPECT_TRUE(Button("BitBtn2")->isDefault()) << focus;
    QTest::keyClick(Button(focus), Qt::Key_Return);
    EXPECT_EQ(dialog_.result(), QDialog::Rejected) << focus;
    EXPECT_FALSE(dialog_.isVisible()) << focus;
  }
  EXPECT_FALSE(Box("cb1")->isChecked());
}

TEST_F(Form4Test, RowsNameTheirSlotsTopDownWithTheTablesCheckBoxNumbers) {
  EXPECT_EQ(dialog_.windowTitle(), "Delete Method");
  QList<QLabel*> labels = dialog_.findChildren<QLabel*>();
  labels.removeIf([](QLabel* label) { return label->buddy() == nullptr; });
  std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
  std::vector<std::pair<QString, QString>> rows;
  for (QLabel* label : labels) {
    rows.emplace_back(label->text(), label->buddy()->objectName());
    EXPECT_EQ(label->y(), label->buddy()->y());
  }
  EXPECT_EQ(rows, (std::vector<std::pair<QString, QString>>{
                      {"IE Button 1", "CheckBox1"}, {"IE Button 2", "CheckBox2"}, {"IE Button 3", "CheckBox3"},
                      {"IE Button 4", "CheckBox4"}, {"IE Button 5", "CheckBox11"}, {"IE Button 6", "CheckBox12"},
                      {"IE Button 7", "CheckBox13"}, {"IE Button 8", "CheckBox14"}, {"User Button 1", "CheckBox5"},
                      {"User Button 2", "CheckBox6"}, {"User Button 3", "CheckBox7"}, {"User Button 4", "CheckBox8"},
                      {"User Button 5", "CheckBox9"}, {"User Button 6", "CheckBox10"}}));
  EXPECT_TRUE(dialog_.findChild<QLabel*>("Label15")->font().underline());
  EXPECT_EQ(Button("BitBtn1")->text(), "&OK");
  EXPECT_TRUE(Button("BitBtn1")->isDefault());
  EXPECT_EQ(Button("BitBtn2")->text(), "&Help");
}

TEST_F(Form4Test, LoadsAtEveryShowingAndEnterOnABoxWritesAllFourteen) {
  store_.WriteValue("IE 5 Use Recycle", std::int32_t{7});
  dialog_.show();
  EXPECT_TRUE(Box("CheckBox11")->isChecked());
  EXPECT_FALSE(Box("CheckBox5")->isChecked());
  EXPECT_TRUE(state_.use_recycle[4]);

  QTest::mouseClick(Box("CheckBox5"), Qt::LeftButton);  // the row "User Button 1"
  QTest::keyClick(Box("CheckBox5"), Qt::Key_Return);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog_.isVisible());
  EXPECT_TRUE(state_.use_recycle[8]);
  EXPECT_EQ(store_.ReadValue("User 1 Use Recycle"), Variant(std::int32_t{-1}));
  EXPECT_EQ(store_.ReadValue("IE 5 Use Recycle"), Variant(std::int32_t{-1}));
  EXPECT_EQ(store_.ReadValue("User 6 Use Recycle"), Variant(std::int32_t{0}));
}

TEST_F(Form4Test, TheCloseBoxStoresNothing) {
  dialog_.show();
  QTest::mouseClick(Box("CheckBox1"), Qt::LeftButton);
  dialog_.close();
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_TRUE(store_.ReadValue("IE 1 Use Recycle").IsNull());
  EXPECT_FALSE(state_.use_recycle[0]);
  dialog_.show();
  EXPECT_FALSE(Box("CheckBox1")->isChecked());
}

TEST_F(Form4Test, HelpOpensTopicOneAndLeavesTheDialogOpen) {
  dialog_.show();
  QTest::mouseClick(Button("BitBtn2"), Qt::LeftButton);
  EXPECT_TRUE(dialog_.isVisible());
  const QWidgetList windows = QApplication::topLevelWidgets();
  EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
    return window->objectName() == "HelpWindow" && window->isVisible();
  }));
  CloseHelp();
}

}  // namespace
}  // namespace vorlix
