// SPDX-License-Identifier: MIT
// The main window's cleaning buttons pressed for real: Delete Cache, Kill All, typed URLs, history.
#include <QThread>
#include <atomic>

#include "tests/ui/main_window_fixture.h"
#include "ui/file_work_run.h"

namespace vorlix {
namespace {

using test::BoxAnswerer;
using test::MainWindowTest;
using test::Settle;

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
  // Entries that refused are counted in the status bar instead; gone ones
  // and ones without a trash are not refusals.
  form_->RunFileWork(5000, [](DeleteWatcher* watcher) {
    for (std::size_t i = 0; i < 1234; ++i) watcher->EntryDone(i, EntryResult::kRefused);
    watcher->EntryDone(1234, EntryResult::kRemoved);
    watcher->EntryDone(1235, EntryResult::kGone);
    watcher->EntryDone(1236, EntryResult::kNoTrash);
  });
  EXPECT_EQ(form_->StatusText(), "1,234 of 5,000 files could not be removed.");
  // One file is one file, in the count of the run and in what refused.
  form_->RunFileWork(1, [](DeleteWatcher* watcher) { watcher->EntryDone(0, EntryResult::kRefused); });
  EXPECT_EQ(form_->StatusText(), "1 of 1 file could not be removed.");
  EXPECT_EQ(ProgressText(0, 1), QStringLiteral("Deleting 0 of 1 file\u2026"));
  EXPECT_EQ(ProgressText(1, 2), QStringLiteral("Deleting 1 of 2 files\u2026"));
}

TEST_F(MainWindowTest, DuringARunTheWindowStaysOpenAndAnActivationWaitsForTheRunsEnd) {
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  TForm2 about;
  BoxAnswerer boxes;
  Start();
  form_->SetWindows(&about, nullptr, nullptr, nullptr);
  reg_.WriteValue("IE 1 Use Recycle", true);  // the handler ticks the box when it runs
  about.show();

  // While the run holds, a request to close comes, and the focus comes back
  // from the About window.
  std::atomic<bool> release{false};
  bool handled_during_run = true;
  bool closed = true;
  QTimer::singleShot(0, form_.get(), [&] {
    closed = form_->close();
    QApplication::setActiveWindow(&about);
  });
  QTimer::singleShot(50, form_.get(), [&] { QApplication::setActiveWindow(form_.get()); });
  QTimer::singleShot(250, form_.get(), [&] {
    handled_during_run = RecycleBox()->isChecked();
    release = true;
  });
  form_->RunFileWork(1, [&](DeleteWatcher* watcher) {
    for (int waited = 0; !release.load() && waited < 5000; ++waited) QThread::msleep(1);
    watcher->EntryDone(0, EntryResult::kRemoved);
  });
  EXPECT_TRUE(form_->isVisible());
  EXPECT_FALSE(closed);
  EXPECT_FALSE(handled_during_run);
  Settle();
  EXPECT_TRUE(RecycleBox()->isChecked());
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

}  // namespace
}  // namespace vorlix
