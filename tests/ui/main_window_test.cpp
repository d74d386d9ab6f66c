// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "platform/drive_paths.h"
#include "platform/file_system.h"
#include "platform/start_in_folder.h"
#include "platform/user_registry.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "tests/common/drives.h"
#include "tests/common/recording_opener.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"
#include "actions/activation.h"
#include "ui/copy_dialog.h"
#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "actions/folder_slot_buttons.h"
#include "ui/main_window.h"
#include "ui/help_about_window.h"
#include "ui/delete_method_dialog.h"
#include "ui/kill_all_dialog.h"
#include "ui/help.h"
#include "ui/message_boxes.h"
#include "ui/slot_button.h"
#include "ui/guarded.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::BoxAnswerer;

constexpr const char* kCacheRoot = "/windows/Temporary Internet Files";
constexpr const char* kIe5 = "/windows/Temporary Internet Files/Content.IE5";

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(5);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDrives();
    c_ = fs::canonical(test::MakeTempDir("drive-c")).string();
    test::MapDrive('c', c_);
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(platform::UserRegistryPath() + suffix);
    BindSettingsStore(reg_, "TForm1", "RegFile1");
  }
  void TearDown() override {
    CloseHelp();
    Settle();
  }

  // Starts the main window and lets its first activation run.
  TForm1& Start() {
    form_ = std::make_unique<TForm1>(state_);
    form_->show();
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    Settle();
    return *form_;
  }

  std::string Stored(const std::string& name) { return ReadText(reg_, name, "<absent>"); }
  SlotButton* Button(const char* name) { return form_->findChild<SlotButton*>(name); }
  template <class Widget = QAbstractButton>
  Widget* Control(const char* name) {
    return form_->findChild<Widget*>(name);
  }
  QCheckBox* RecycleBox() { return form_->findChild<QCheckBox*>("CheckBox1"); }
  void MakeFolder(const std::string& below_c) { fs::create_directories(c_ + below_c); }

  std::string c_;
  ProgramState state_;
  TRegFile reg_;
  std::unique_ptr<TForm1> form_;
};

// --- Start-up: cache folders are found beside the stored start folder. ---

TEST_F(MainWindowTest, FirstStartStoresTheCacheFoldersItFinds) {
  MakeFolder(std::string(kIe5) + "/A1B2C3D4");
  MakeFolder(std::string(kIe5) + "/E5F6G7H8");
  MakeFolder(std::string(kIe5) + "/with.dot");  // never a cache folder, and uses no slot
  test::WriteFile(c_ + kIe5 + "/index.dat", "");
  BoxAnswerer boxes;
  Start();

  const std::string base = "c:\\windows\\Temporary Internet Files\\Content.IE5\\";
  const std::set<std::string> found = {Stored("IE Button 1 Default Folder"), Stored("IE Button 2 Default Folder")};
  EXPECT_EQ(found, (std::set<std::string>{base + "A1B2C3D4", base + "E5F6G7H8"}));
  EXPECT_EQ(Stored("IE Button 1 Hint"), Stored("IE Button 1 Default Folder"));
  EXPECT_EQ(Stored("IE Button 2 Hint"), Stored("IE Button 2 Default Folder"));
  EXPECT_EQ(Stored("IE Button 3 Default Folder"), "<absent>");
  EXPECT_EQ(Stored("IE Button 1 Default Drive"), "<absent>");
  EXPECT_TRUE(boxes.Seen().isEmpty()) << boxes.Seen().join("|").toStdString();
  EXPECT_EQ(state_.start_folder, Stored("IE Button 1 Default Folder"));
  EXPECT_EQ(form_->StatusText().toStdString(), state_.start_folder);
  EXPECT_EQ(form_->TreeDirectory(), "C:" + std::string("\\windows\\Temporary Internet Files\\Content.IE5\\") +
                                        state_.start_folder.substr(base.size()));
  EXPECT_EQ(form_->DriveBoxDrive(), 'c');
}

TEST_F(MainWindowTest, OnlyTheFirstEightCacheFoldersInSearchOrderAreStored) {
  for (int i = 0; i < 10; ++i) MakeFolder(std::string(kIe5) + "/FOLDER" + std::to_string(i));
  std::vector<platform::FoundEntry> order;
  platform::FindFiles(std::string("C:") + kIe5 + "/*.", platform::kAttrDirectory | platform::kAttrHidden, order);
  ASSERT_EQ(order.size(), 10u);
  BoxAnswerer boxes;
  Start();
  for (std::size_t k = 0; k < 8; ++k) {
    EXPECT_EQ(Stored(kFolderSlots[k].FolderValue()),
              "c:\\windows\\Temporary Internet Files\\Content.IE5\\" + order[k].name);
  }
  EXPECT_EQ(state_.start_folder, Stored("IE Button 1 Default Folder"));
}

TEST_F(MainWindowTest, AStoredStartFolderThatExistsIsUsedWithoutASearch) {
  MakeFolder("/mine");
  MakeFolder(std::string(kIe5) + "/A1B2C3D4");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\MINE");
  reg_.WriteValue("User Button 2 Hint", "c:\\mine");
  BoxAnswerer boxes;
  Start();
  EXPECT_EQ(Stored("IE Button 2 Default Folder"), "<absent>");
  EXPECT_EQ(form_->TreeDirectory(), "C:\\mine");
  EXPECT_EQ(form_->StatusText(), "c:\\MINE");
  // User buttons show their stored hints or the unset text; IE buttons keep their design hints.
  EXPECT_EQ(form_->SlotHint(9), "c:\\mine");
  EXPECT_EQ(form_->SlotHint(8), std::string(kUnsetText));
  EXPECT_EQ(form_->SlotHint(1), "Internet Explorer Cache folder 2");
  EXPECT_EQ(Button("btnU1")->toolTip(), "Not setup yet, select folder and\nright click this button to setup.");
}

TEST_F(MainWindowTest, NoFolderToShowGivesTheMessageOnce) {
  BoxAnswerer boxes;
  Start();
  EXPECT_EQ(boxes.Seen(), QStringList{QString("Vorlix 5.0: ") + ScreenText(StartFolderMissingMessage())});
  EXPECT_EQ(Stored("IE Button 1 Default Folder"), "<absent>");
  EXPECT_EQ(state_.history_folder, "c:\\windows\\History");
  EXPECT_FALSE(RecycleBox()->isChecked());
}

TEST_F(MainWindowTest, WithNoCacheFolderStoredTheFirstViewIsTheUsersCacheFolder) {
  MakeFolder("/home/ann/project");
  ASSERT_EQ(chdir((c_ + "/home/ann/project").c_str()), 0);  // where the program was started
  setenv("XDG_CACHE_HOME", (c_ + "/home/ann/.cache").c_str(), 1);
  ASSERT_TRUE(platform::EnterStartInFolder());  // the folder is made
  unsetenv("XDG_CACHE_HOME");
  test::WriteFile(c_ + "/home/ann/.cache/entry", "e");
  BoxAnswerer boxes;
  Start();
  EXPECT_EQ(form_->TreeDirectory(), "C:\\home\\ann\\.cache");
  EXPECT_EQ(form_->FileListItems(), std::vector<std::string>{"entry"});
}

// --- The activation handler runs on the first activation and on each return
// from the Help and About window, and at no other time. ---

TEST_F(MainWindowTest, ActivationRunsOnlyOnReturnFromTheAboutWindow) {
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  TForm2 about;
  QDialog modal;
  BoxAnswerer boxes({QMessageBox::No});
  Start();
  form_->SetWindows(&about, &modal, nullptr, nullptr);
  reg_.WriteValue("IE 1 Use Recycle", true);
  auto activated = [&] { return RecycleBox()->isChecked(); };

  // A message box, a modal dialog and a switch from another application leave the view alone.
  QTest::mousePress(Button("SpeedButton3"), Qt::RightButton);
  Settle();
  ASSERT_EQ(boxes.Seen().size(), 1);
  EXPECT_FALSE(activated());
  QTimer::singleShot(50, &modal, &QDialog::reject);
  modal.exec();
  Settle();
  EXPECT_FALSE(activated());
  QApplication::setActiveWindow(nullptr);
  Settle();
  QApplication::setActiveWindow(form_.get());
  Settle();
  EXPECT_FALSE(activated());

  // Coming back from the Help and About window runs it again.
  about.show();
  QApplication::setActiveWindow(&about);
  Settle();
  QApplication::setActiveWindow(form_.get());
  Settle();
  EXPECT_TRUE(activated());
}

// The focus goes to the main window and a click on it arrives at once, as the
// window system delivers a click that activates a window.
void ActivateAndClick(QWidget* window, QAbstractButton* button) {
  QApplication::setActiveWindow(window);
  QTest::mouseClick(button, Qt::LeftButton);
}

// How many rounds a race case runs: one in the test suite, more when the
// stress command asks (VORLIX_STRESS_ROUNDS).
int StressRounds() {
  const char* rounds = std::getenv("VORLIX_STRESS_ROUNDS");
  return rounds != nullptr && std::atoi(rounds) > 0 ? std::atoi(rounds) : 1;
}

void ReportRounds(const char* what, int held, int rounds) {
  if (rounds > 1) std::printf("%s: %d of %d rounds held\n", what, held, rounds);
}

TEST_F(MainWindowTest, OnlyAReturnStraightFromTheAboutWindowRunsTheHandler) {
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  reg_.WriteValue("IE 1 Use Recycle", true);
  TForm2 about;
  BoxAnswerer boxes;
  Start();
  form_->SetWindows(&about, nullptr, nullptr, nullptr);
  auto handler_ran = [&] {
    const bool ran = RecycleBox()->isChecked();
    form_->SetRecycleChecked(false);
    return ran;
  };
  auto focus_to = [](QWidget* window) {
    QApplication::setActiveWindow(window);
    Settle();
  };
  ASSERT_TRUE(handler_ran());

  about.show();
  focus_to(&about);
  focus_to(form_.get());
  EXPECT_TRUE(handler_ran());
  // After that, a return from another application is not a return from the About window.
  focus_to(nullptr);
  focus_to(form_.get());
  EXPECT_FALSE(handler_ran());
  // Nor is a return through another application after the About window.
  focus_to(&about);
  focus_to(nullptr);
  focus_to(form_.get());
  EXPECT_FALSE(handler_ran());
  focus_to(&about);
  focus_to(form_.get());
  EXPECT_TRUE(handler_ran());
}

TEST_F(MainWindowTest, AClickThatActivatesTheWindowIsHandledAfterTheHandler) {
  for (const char* folder : {"/start", "/two"}) MakeFolder(folder);
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  reg_.WriteValue("IE Button 2 Default Folder", "c:\\two");
  TForm2 about;
  BoxAnswerer boxes;
  Start();
  form_->SetWindows(&about, nullptr, nullptr, nullptr);

  const int rounds = StressRounds();
  int slot_held = 0;
  int delete_held = 0;
  for (int round = 0; round < rounds; ++round) {
    // IE 2's button: its folder is in view at the end, not the start folder.
    about.show();
    QApplication::setActiveWindow(&about);
    Settle();
    ActivateAndClick(form_.get(), Button("SpeedButton2"));
    Settle();
    slot_held += form_->TreeDirectory() == "C:\\two";

    // Delete Cache: the warning names the folder whose files go, the one the
    // handler brought into view.
    test::WriteFile(c_ + "/start/s", "s");
    test::WriteFile(c_ + "/two/t", "t");
    QApplication::setActiveWindow(&about);
    Settle();
    const qsizetype seen = boxes.Seen().size();
    ActivateAndClick(form_.get(), Control("BitBtn2"));
    Settle();
    delete_held += boxes.Seen().size() > seen &&
                   boxes.Seen()[seen].startsWith("Warning: You are about to DELETE all of the files in the "
                                                 "following directory:\nC:\\start\n") &&
                   !test::PathExists(c_ + "/start/s") && test::PathExists(c_ + "/two/t");
  }
  ReportRounds("slot button after the About window", slot_held, rounds);
  ReportRounds("Delete Cache after the About window", delete_held, rounds);
  EXPECT_EQ(slot_held, rounds);
  EXPECT_EQ(delete_held, rounds);
}

// --- The cleaning buttons in the window ---

TEST_F(MainWindowTest, TheFirstDeleteCacheAfterStartAsksAndEnterAnswersNo) {
  MakeFolder("/start");
  test::WriteFile(c_ + "/start/a", "a");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  BoxAnswerer boxes({BoxAnswerer::kEnter});
  Start();
  QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
  ASSERT_EQ(boxes.Seen().size(), 1);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Warning: You are about to DELETE all of the files"));
  EXPECT_TRUE(test::PathExists(c_ + "/start/a"));
  // Yes deletes, and the report follows.
  form_->SetTreeDirectory("C:\\start");
  QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(test::PathExists(c_ + "/start/a"));
  ASSERT_EQ(boxes.Seen().size(), 3);
  EXPECT_TRUE(boxes.Seen()[2].startsWith("Vorlix 5.0: ")) << boxes.Seen()[2].toStdString();
}

TEST_F(MainWindowTest, ALongRunKeepsTheWindowServedShowsProgressAndPutsTheStatusBack) {
  constexpr int kFiles = 3000;
  MakeFolder("/start");
  for (int i = 0; i < kFiles; ++i) test::WriteFile(c_ + "/start/f" + std::to_string(i), "x");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  BoxAnswerer boxes;
  Start();
  form_->SetStatusText("before the run");
  // A timer of the window's thread that fires while the busy cursor shows
  // proves that events are served during the run.
  int ticks_while_busy = 0;
  QStringList texts_while_busy;
  QTimer ticker;
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (QApplication::overrideCursor() == nullptr) return;
    ++ticks_while_busy;
    texts_while_busy << form_->StatusText();
  });
  ticker.start();
  state_.confirm = true;
  QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
  Settle();
  ticker.stop();
  for (const int i : {0, kFiles / 2, kFiles - 1}) EXPECT_FALSE(test::PathExists(c_ + "/start/f" + std::to_string(i)));
  EXPECT_GT(ticks_while_busy, 0);
  EXPECT_FALSE(texts_while_busy.isEmpty());
  for (const QString& text : texts_while_busy) {
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Deleting [0-9,]+ of 3,000 files\u2026$")).match(text).hasMatch())
        << text.toStdString();
  }
  EXPECT_EQ(form_->StatusText(), "before the run");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // The question, then the report, as a run without a second thread shows them.
  ASSERT_EQ(boxes.Seen().size(), 2);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Warning: You are about to DELETE all of the files"));
  EXPECT_TRUE(boxes.Seen()[1].startsWith("Vorlix 5.0: ")) << boxes.Seen()[1].toStdString();
}

TEST_F(MainWindowTest, AFailureInTheFileWorkReachesTheErrorBox) {
  BoxAnswerer boxes;
  Start();
  form_->SetStatusText("before the run");
  const qsizetype seen = boxes.Seen().size();
  Guarded(form_.get(), [&] {
    form_->RunFileWork(10, [](DeleteWatcher* watcher) {
      watcher->EntryDone(0, EntryResult::kRemoved);
      throw std::runtime_error("the disk went away");
    });
  });
  ASSERT_EQ(boxes.Seen().size(), seen + 1);
  EXPECT_TRUE(boxes.Seen()[seen].endsWith("the disk went away")) << boxes.Seen()[seen].toStdString();
  EXPECT_EQ(form_->StatusText(), "before the run");
  // Entries that refused are counted in the status bar instead.
  form_->RunFileWork(5000, [](DeleteWatcher* watcher) {
    for (std::size_t i = 0; i < 1234; ++i) watcher->EntryDone(i, EntryResult::kRefused);
    watcher->EntryDone(1234, EntryResult::kRemoved);
  });
  EXPECT_TRUE(form_->StatusText().startsWith("1,234 of 5,000 files could not be removed"))
      << form_->StatusText().toStdString();
}

TEST_F(MainWindowTest, KillAllTypedUrlsAndHistoryFromTheirButtons) {
  for (const char* folder : {"/start", "/two", "/windows/History"}) MakeFolder(folder);
  test::WriteFile(c_ + "/start/kept", "k");
  test::WriteFile(c_ + "/two/gone", "g");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  reg_.WriteValue("IE Button 2 Default Folder", "c:\\two");
  reg_.WriteValue("Delete all 2 selected", true);
  reg_.WriteValue("Delete IE Typed URLs", true);
  TRegFile typed;
  BindSettingsStore(typed, "TForm1", "RegFile2");
  typed.WriteValue("TypedURLs\\url1", "http://example.org/");
  TForm5 kill_all(state_);
  test::RecordingOpener opener;
  BoxAnswerer boxes;
  Start();
  form_->SetWindows(nullptr, nullptr, &kill_all, nullptr);
  // A slot's hint that carries the unset mark does not leave an IE slot out.
  form_->SetSlotHint(1, "c:\\two, Not setup yet");

  QTimer::singleShot(50, &kill_all, [&] { kill_all.findChild<QPushButton*>("BitBtn1")->click(); });
  QTest::mouseClick(Control("BitBtn1"), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(test::PathExists(c_ + "/two/gone"));
  EXPECT_TRUE(test::PathExists(c_ + "/start/kept"));
  EXPECT_FALSE(typed.KeyExists("TypedURLs"));
  ASSERT_EQ(boxes.Seen().size(), 1);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Vorlix 5.0: ")) << boxes.Seen()[0].toStdString();

  typed.WriteValue("TypedURLs\\url1", "http://example.org/");
  QTest::mouseClick(Control<QToolButton>("SpeedButton7"), Qt::LeftButton);
  EXPECT_FALSE(typed.KeyExists("TypedURLs"));
  EXPECT_EQ(boxes.Seen().last(), "Vorlix 5.0: The Internet Explorer typed URL history list has been deleted.");

  QTest::mouseClick(Control<QToolButton>("SpeedButton9"), Qt::LeftButton);
  EXPECT_EQ(form_->StatusText(), "c:\\windows\\History");
  EXPECT_EQ(opener.paths, std::vector<std::string>{c_ + "/windows/History"});
}

// --- Folder buttons ---

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

TEST_F(MainWindowTest, HelpOpensTheContentsAndClosesWithTheWindow) {
  BoxAnswerer boxes;
  Start();
  QAction* help = form_->findChild<QAction*>("Help1");
  ASSERT_NE(help, nullptr);
  help->trigger();
  auto find_help = [] {
    QPointer<QWidget> found;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == "HelpWindow" && top->isVisible()) found = top;
    }
    return found;
  };
  QPointer<QWidget> window = find_help();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowModality(), Qt::NonModal);
  // Asked from a modal dialog, the help takes input above the dialog.
  QDialog modal(form_.get());
  QTimer::singleShot(20, &modal, [&] {
    ShowHelpTopic(&modal, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), window.data());
    modal.reject();
  });
  modal.exec();
  ShowHelpContents(form_.get());
  window = find_help();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowModality(), Qt::NonModal);
  form_->close();
  Settle();
  EXPECT_TRUE(window.isNull() || !window->isVisible());
}

// --- Screen readers and the keyboard. ---

TEST_F(MainWindowTest, EveryControlOfEveryWindowHasANameAndThePictureButtonsADescription) {
  BoxAnswerer boxes;
  Start();
  TForm2 form2(form_.get());
  TForm4 form4(state_, form_.get());
  TForm5 form5(state_, form_.get());
  TCopyDest copy_dest(state_, form_.get());
  auto spoken = [](QWidget* control, QAccessible::Text text) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(text);
  };
  int controls = 0;
  for (QWidget* window : std::initializer_list<QWidget*>{form_.get(), &form2, &form4, &form5, &copy_dest}) {
    window->show();
    Settle();
    for (QWidget* control : window->findChildren<QWidget*>()) {
      if (!control->isVisibleTo(window) || control->window() != window) continue;
      if (!qobject_cast<QAbstractButton*>(control) && !qobject_cast<QAbstractItemView*>(control) &&
          !qobject_cast<QComboBox*>(control) && !qobject_cast<QLineEdit*>(control)) {
        continue;
      }
      ++controls;
      EXPECT_FALSE(spoken(control, QAccessible::Name).isEmpty())
          << window->objectName().toStdString() << "/" << control->objectName().toStdString();
    }
    window->hide();
  }
  EXPECT_GT(controls, 60);
  EXPECT_EQ(spoken(form_->findChild<QWidget*>("SpeedButton5"), QAccessible::Name), "Exit program");
  EXPECT_EQ(spoken(form4.findChild<QWidget*>("CheckBox1"), QAccessible::Name), "IE Button 1");
  for (const char* name : {"SpeedButton5", "SpeedButton6", "SpeedButton7", "SpeedButton9", "DriveComboBox1",
                           "DirectoryListBox1", "FileListBox1"}) {
    EXPECT_FALSE(spoken(form_->findChild<QWidget*>(name), QAccessible::Description).isEmpty()) << name;
  }
}

TEST_F(MainWindowTest, KeyboardTabsThroughTheFolderViewOpensHelpAndQuits) {
  BoxAnswerer boxes;
  Start();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  std::set<std::string> reached;
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(form_->focusWidget() != nullptr ? form_->focusWidget() : form_.get(), Qt::Key_Tab);
    ASSERT_NE(form_->focusWidget(), nullptr);
    reached.insert(form_->focusWidget()->objectName().toStdString());
  }
  EXPECT_EQ(reached, (std::set<std::string>{"DriveComboBox1", "DirectoryListBox1", "FileListBox1"}));

  QTest::keyClick(form_.get(), Qt::Key_F1);
  QWidget* help = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "HelpWindow" && top->isVisible()) help = top;
  }
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->findChild<QWidget*>("HelpBrowser")->accessibleName(), "Help text");
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form_->isVisible());
}

}  // namespace
}  // namespace vorlix
