// SPDX-License-Identifier: MIT
#include "ui/schedule_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "cleaning/watch_schedule.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"

namespace vorlix {
namespace {

class ScheduleDialogTest : public ::testing::Test {
 protected:
  ScheduleDialogTest()
      : place_{test::MakeTempDir("units"), "/usr/bin/vorlix-clean",
               [](const std::vector<std::string>&) { return platform::ProgramOutcome{true, 0, "", ""}; }} {}

  void Open() { dialog_ = std::make_unique<ScheduleDialog>(place_); }
  template <class Widget>
  Widget* Find(const char* name) const {
    return dialog_->findChild<Widget*>(name);
  }
  QString Status() const { return Find<QLabel>("ScheduleStatus")->text(); }

  SchedulePlace place_;
  std::unique_ptr<ScheduleDialog> dialog_;
};

TEST_F(ScheduleDialogTest, TheChosenScheduleIsSetShownAgainAndSwitchedOff) {
  Open();
  EXPECT_EQ(Status(), "No schedule is set.");
  EXPECT_FALSE(Find<QPushButton>("SwitchOffButton")->isEnabled());
  Find<QCheckBox>("KillAllBox")->setChecked(false);
  EXPECT_FALSE(Find<QPushButton>("SwitchOnButton")->isEnabled());  // nothing to clean
  Find<QCheckBox>("BrowsersBox")->setChecked(true);
  Find<QComboBox>("FrequencyBox")->setCurrentText("Monthly");
  Find<QComboBox>("MethodBox")->setCurrentText("Move files to the trash");
  Find<QPushButton>("SwitchOnButton")->click();
  const ScheduleChoice chosen{ScheduleFrequency::kMonthly, false, true, ScheduleMethod::kTrash};
  EXPECT_EQ(ReadScheduleStatus(place_).choice, chosen);
  EXPECT_EQ(Find<QLabel>("ScheduleResult")->text(), "Cleans the browser caches monthly, moving files to the trash.");

  Open();  // a new dialog starts from the schedule that is set
  EXPECT_FALSE(Find<QCheckBox>("KillAllBox")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>("BrowsersBox")->isChecked());
  EXPECT_EQ(Find<QComboBox>("FrequencyBox")->currentText(), "Monthly");
  EXPECT_EQ(Find<QComboBox>("MethodBox")->currentText(), "Move files to the trash");
  EXPECT_TRUE(Status().startsWith("Cleans the browser caches monthly"));
  Find<QPushButton>("SwitchOffButton")->click();
  EXPECT_FALSE(ReadScheduleStatus(place_).choice);
  EXPECT_EQ(Status(), "No schedule is set.");
  EXPECT_FALSE(Find<QPushButton>("SwitchOffButton")->isEnabled());
}

// "When a browser closes" sets the watcher beside the timer: each keeps its
// own choices, and Switch on and off act on the one How often shows.
TEST_F(ScheduleDialogTest, TheWatcherIsSetBesideTheTimerAndEachIsSwitchedOffAlone) {
  const ScheduleChoice timer{ScheduleFrequency::kDaily, true, false, ScheduleMethod::kStored};
  ASSERT_TRUE(SwitchScheduleOn(timer, place_).ok);
  Open();
  auto* frequency = Find<QComboBox>("FrequencyBox");
  auto* method = Find<QComboBox>("MethodBox");
  auto* kill_all = Find<QCheckBox>("KillAllBox");
  frequency->setCurrentText("When a browser closes");
  EXPECT_FALSE(kill_all->isEnabled() || kill_all->isChecked());  // the watcher cleans the browser caches only
  EXPECT_TRUE(Find<QCheckBox>("BrowsersBox")->isChecked());
  EXPECT_EQ(method->currentText(), "Move files to the trash");  // a cache has no method of its own
  EXPECT_FALSE(Find<QPushButton>("SwitchOffButton")->isEnabled());
  method->setCurrentText("Delete files for good");
  Find<QPushButton>("SwitchOnButton")->click();
  ScheduleStatus status = ReadScheduleStatus(place_);
  EXPECT_EQ(status.watch, ScheduleMethod::kPermanent);
  EXPECT_EQ(status.choice, timer);
  EXPECT_EQ(Find<QLabel>("ScheduleResult")->text(),
            "Cleans the browser caches when a browser closes, deleting files for good.");
  EXPECT_EQ(frequency->currentText(), "When a browser closes");
  frequency->setCurrentText("Daily");  // the timer's choices come back
  EXPECT_TRUE(kill_all->isEnabled() && kill_all->isChecked());
  EXPECT_EQ(method->currentText(), "Each folder's own delete method");

  Open();  // both set: the dialog opens on the timer and tells of both
  frequency = Find<QComboBox>("FrequencyBox");
  EXPECT_EQ(frequency->currentText(), "Daily");
  EXPECT_TRUE(Status().contains("\nCleans the browser caches when a browser closes")) << Status().toStdString();
  frequency->setCurrentText("When a browser closes");
  EXPECT_EQ(Find<QComboBox>("MethodBox")->currentText(), "Delete files for good");
  Find<QPushButton>("SwitchOffButton")->click();
  status = ReadScheduleStatus(place_);
  EXPECT_FALSE(status.watch);
  EXPECT_EQ(status.choice, timer);

  ASSERT_TRUE(SwitchWatchOn(ScheduleMethod::kTrash, place_).ok);
  ASSERT_TRUE(SwitchScheduleOff(place_).ok);
  Open();  // the watcher alone: the dialog opens on it
  EXPECT_EQ(Find<QComboBox>("FrequencyBox")->currentText(), "When a browser closes");
  EXPECT_TRUE(Find<QPushButton>("SwitchOffButton")->isEnabled());
}

TEST_F(ScheduleDialogTest, EnterClosesTheDialogAndSetsNothing) {
  Open();
  Find<QCheckBox>("BrowsersBox")->setChecked(true);
  test::PressEnterOn(Find<QPushButton>("SwitchOnButton"));
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_FALSE(ReadScheduleStatus(place_).choice);
}

// systemctl may take its time (a user manager starting, a slow bus): the
// dialog waits for it off the window's thread, so the windows keep drawing.
TEST_F(ScheduleDialogTest, TheWindowsKeepDrawingWhileSystemctlRuns) {
  int calls = 0;
  int calls_while_drawing = 0;
  place_.run = [&](const std::vector<std::string>&) {
    ++calls;
    const auto drawing = std::make_shared<std::atomic<bool>>(false);
    QMetaObject::invokeMethod(qApp, [drawing] { *drawing = true; }, Qt::QueuedConnection);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!*drawing && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
    if (*drawing) ++calls_while_drawing;
    return platform::ProgramOutcome{true, 0, "", ""};
  };
  Open();
  Find<QCheckBox>("BrowsersBox")->setChecked(true);
  Find<QPushButton>("SwitchOnButton")->click();
  Find<QPushButton>("SwitchOffButton")->click();
  EXPECT_GT(calls, 2);
  EXPECT_EQ(calls_while_drawing, calls);
}

}  // namespace
}  // namespace vorlix
