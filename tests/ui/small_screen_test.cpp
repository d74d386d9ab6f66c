// SPDX-License-Identifier: MIT
// The windows on a 1280x900 screen at scale 2: 640x450 in the windows' own pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>
#include <vector>

#include "actions/activation.h"
#include "cleaning/browser_caches.h"
#include "settings/settings_catalogue.h"
#include "tests/actions/fake_main_view.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"
#include "ui/browser_caches_dialog.h"
#include "ui/copy_dialog.h"
#include "ui/delete_method_dialog.h"
#include "ui/help.h"
#include "ui/help_about_window.h"
#include "ui/kill_all_dialog.h"
#include "ui/let_go_dialog.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/restore_dialog.h"
#include "ui/schedule_dialog.h"

namespace vorlix {
namespace {

using SmallScreenTest = test::DriveDTest;

// Whether a shown window's frame lies within its screen's free area.
::testing::AssertionResult Fits(QWidget* window) {
  window->show();
  if (!QTest::qWaitForWindowExposed(window)) return ::testing::AssertionFailure() << "never shown";
  QTest::qWait(50);  // placed again once framed
  const QRect free = window->screen()->availableGeometry();
  const QRect frame = window->frameGeometry();
  if (free.contains(frame)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << window->objectName().toStdString() << " at " << frame.x() << "," << frame.y()
                                       << " " << frame.width() << "x" << frame.height() << " on a screen of "
                                       << free.width() << "x" << free.height();
}

TEST_F(SmallScreenTest, EveryWindowFitsTheScreen) {
  ASSERT_EQ(QApplication::primaryScreen()->availableGeometry().size(), QSize(640, 450));
  test::BoxAnswerer boxes;  // the main window's start-up message
  // A cache whose folder is long, as a Firefox profile's is.
  const std::string cache = std::string(getenv("HOME")) + "/.cache/mozilla/firefox/k3x9a2.default-release/cache2";
  std::filesystem::create_directories(cache + "/entries");
  test::WriteFile(cache + "/entries/E1", "cached");
  TRegFile store;
  BindSettingsStore(store, "TForm1", "RegFile1");
  test::FakeMainView view;
  ProgramState state;
  TForm1 main_window(state);
  TForm2 about;
  TForm4 delete_method(state);
  TForm5 kill_all(state);
  TCopyDest copy_dest(state);
  BrowserCachesDialog caches(FindUserBrowserCaches(), view, view, store);
  RestoreDialog restore;
  LetGoDialog let_go(store);
  ScheduleDialog schedule({test::MakeTempDir("units"), "/usr/bin/vorlix-clean",
                           [](const std::vector<std::string>&) { return platform::ProgramOutcome{true, 0, "", ""}; }});
  for (QWidget* window : std::initializer_list<QWidget*>{&main_window, &about, &delete_method, &kill_all, &copy_dest,
                                                         &caches, &restore, &let_go, &schedule}) {
    EXPECT_TRUE(Fits(window));
    window->hide();
  }
  ShowHelpContents(nullptr);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == "HelpWindow") {
      EXPECT_TRUE(Fits(window));
    }
  }
  CloseHelp();
}

// A message wraps only a line wider than the screen has room for, so the start-up message keeps
// the support address on one line.
TEST_F(SmallScreenTest, TheStartUpMessageKeepsItsLinesWhole) {
  const QString message = ScreenText(StartFolderMissingMessage());
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen = true;
    EXPECT_TRUE(Fits(box));
    const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    for (const QString& line : message.split('\n')) {
      EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width()) << line.toStdString();
    }
    box->accept();
  });
  ShowInformation(nullptr, StartFolderMissingMessage());
  EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace vorlix
