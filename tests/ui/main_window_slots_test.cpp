// SPDX-License-Identifier: MIT
// The main window's fourteen folder buttons pressed for real.
#include "tests/ui/main_window_fixture.h"

namespace vorlix {
namespace {

using test::BoxAnswerer;
using test::MainWindowTest;
using test::kCacheRoot;
namespace fs = std::filesystem;

TEST_F(MainWindowTest, LeftPressLoadsTheSlotOrSaysItIsNotConfigured) {
  for (const char* folder : {"/cache1", "/cache4"}) MakeFolder(std::string(kCacheRoot) + folder);
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  BoxAnswerer boxes;
  Start();
  reg_.WriteValue("IE 5 Use Recycle", true);
  state_.use_recycle[4] = true;

  QTest::mouseClick(Button("btnU1"), Qt::LeftButton);
  EXPECT_EQ(form_->StatusText().toStdString(), kNotConfiguredText);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\start");

  // The first IE slot has no stored folder of its own here... but start-up
  // stored none either: its default applies.
  reg_.DeleteValue("", "IE Button 1 Default Folder");
  QTest::mouseClick(Button("SpeedButton1"), Qt::LeftButton);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\windows\\Temporary Internet Files\\cache1");
  EXPECT_EQ(form_->StatusText(), "\\windows\\Temporary Internet Files\\cache1");
  EXPECT_FALSE(RecycleBox()->isChecked());
  for (const char* name : {"SpeedButton05", "SpeedButton06", "SpeedButton07", "SpeedButton08"}) {
    QTest::mouseClick(Button(name), Qt::LeftButton, Qt::ControlModifier);  // modifiers do not matter
    EXPECT_EQ(form_->TreeDirectory(), "C:\\windows\\Temporary Internet Files\\cache4") << name;
  }
  QTest::mouseClick(Button("SpeedButton05"), Qt::LeftButton);
  EXPECT_TRUE(RecycleBox()->isChecked());
  QTest::mouseClick(Button("SpeedButton1"), Qt::MiddleButton);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\windows\\Temporary Internet Files\\cache4");
  EXPECT_TRUE(boxes.Seen().isEmpty());
}

TEST_F(MainWindowTest, SaveAndClearWalkASlotThroughItsStates) {
  MakeFolder("/start");
  MakeFolder("/keep me");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  BoxAnswerer boxes({QMessageBox::No, QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Yes, QMessageBox::Ok});
  Start();
  form_->SetTreeDirectory("C:\\keep me");

  // Right press, No: nothing stored.
  QTest::mousePress(Button("btnU4"), Qt::RightButton);
  QTest::mouseRelease(Button("btnU4"), Qt::RightButton);
  EXPECT_EQ(Stored("User Button 4 Default Drive"), "<absent>");
  // Right press, Yes: three values, the hint, the report.
  QTest::mousePress(Button("btnU4"), Qt::RightButton);
  QTest::mouseRelease(Button("btnU4"), Qt::RightButton);
  EXPECT_EQ(Stored("User Button 4 Default Drive"), "c");
  EXPECT_EQ(Stored("User Button 4 Default Folder"), "C:\\keep me");
  EXPECT_EQ(Stored("User Button 4 Hint"), "C:\\keep me");
  EXPECT_EQ(form_->SlotHint(11), "C:\\keep me");
  ASSERT_GE(boxes.Seen().size(), 3);
  EXPECT_EQ(boxes.Seen()[1],
            "Confirm: You are about to save the following directory as the default for this button:\nC:\\keep "
            "me\nIs this what you want to do? ");
  EXPECT_EQ(boxes.Seen()[2], "Vorlix 5.0: User Button 4 Settings Saved.");
  form_->SetTreeDirectory("C:\\start");
  QTest::mouseClick(Button("btnU4"), Qt::LeftButton);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\keep me");

  // Releases with other keys held, or none, do not clear.
  QTest::mouseClick(Button("btnU4"), Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier);
  QTest::mouseClick(Button("btnU4"), Qt::MiddleButton);
  EXPECT_EQ(boxes.Seen().size(), 3);
  // Shift alone on release: cleared, unset again.
  QTest::mouseClick(Button("btnU4"), Qt::MiddleButton, Qt::ShiftModifier);
  EXPECT_EQ(Stored("User Button 4 Default Drive"), "<absent>");
  EXPECT_EQ(Stored("User Button 4 Default Folder"), "<absent>");
  EXPECT_EQ(Stored("User Button 4 Hint"), "<absent>");
  EXPECT_EQ(form_->SlotHint(11), std::string(kUnsetText));
  EXPECT_EQ(boxes.Seen().last(), "Vorlix 5.0: User Button 4 Settings Removed.");
  QTest::mouseClick(Button("btnU4"), Qt::LeftButton);
  EXPECT_EQ(form_->StatusText().toStdString(), kNotConfiguredText);
}

TEST_F(MainWindowTest, ClearingAnIeSlotOrAnUnsetSlot) {
  MakeFolder(std::string(kCacheRoot) + "/cache2");
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  reg_.WriteValue("IE Button 2 Default Drive", "c");
  reg_.WriteValue("IE Button 2 Default Folder", "c:\\start");
  reg_.WriteValue("IE Button 2 Hint", "c:\\start");
  BoxAnswerer boxes;  // every question answered Yes by default
  Start();
  QTest::mouseClick(Button("SpeedButton2"), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Stored("IE Button 2 Default Folder"), "<absent>");
  EXPECT_EQ(form_->SlotHint(1), std::string(kSaveOrSelectHint));
  QTest::mouseClick(Button("SpeedButton2"), Qt::LeftButton);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\windows\\Temporary Internet Files\\cache2");
  // Nothing stored: nothing deleted, the hint stays, the report still comes.
  const qsizetype before = boxes.Seen().size();
  QTest::mouseRelease(Button("btnU6"), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(boxes.Seen().size(), before + 2);
  EXPECT_EQ(boxes.Seen().last(), "Vorlix 5.0: User Button 6 Settings Removed.");
  EXPECT_EQ(form_->SlotHint(13), std::string(kUnsetText));
}

TEST_F(MainWindowTest, SlotsThatCannotBeShownOrThatCarryTheMark) {
  MakeFolder("/start");
  const std::string d = fs::canonical(test::MakeTempDir("drive-d")).string();
  test::MapDrive('d', d);
  fs::create_directories(d + "/elsewhere");
  fs::create_directories(c_ + "/Not setup yet here");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  reg_.WriteValue("IE Button 3 Default Drive", "c");
  reg_.WriteValue("IE Button 3 Default Folder", "D:\\elsewhere");
  reg_.WriteValue("IE Button 4 Default Folder", "c:\\gone");
  BoxAnswerer boxes;
  Start();

  // The folder's own drive letter wins over the stored drive.
  QTest::mouseClick(Button("SpeedButton3"), Qt::LeftButton);
  EXPECT_EQ(form_->TreeDirectory(), "D:\\elsewhere");
  EXPECT_EQ(form_->DriveBoxDrive(), 'd');
  // A folder that is gone: an error box; status bar and check box as they were.
  form_->SetRecycleChecked(true);
  QTest::mouseClick(Button("SpeedButton4"), Qt::LeftButton);
  ASSERT_EQ(boxes.Seen().size(), 1);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Vorlix 5.0: Cannot open the folder c:\\gone"));
  EXPECT_EQ(form_->StatusText(), "D:\\elsewhere");
  EXPECT_TRUE(RecycleBox()->isChecked());
  // A saved folder whose path holds the mark makes the slot count as unset.
  form_->SetTreeDirectory("C:\\Not setup yet here");
  QTest::mouseClick(Button("btnU2"), Qt::RightButton);
  QTest::mouseClick(Button("btnU2"), Qt::LeftButton);
  EXPECT_EQ(form_->StatusText().toStdString(), kNotConfiguredText);
}

}  // namespace
}  // namespace vorlix
