// SPDX-License-Identifier: MIT
// The main window under test: a drive c on a fresh folder, a fresh settings store, and the
// window started with its first activation run.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "actions/activation.h"
#include "actions/folder_slot_buttons.h"
#include "platform/drive_paths.h"
#include "platform/file_system.h"
#include "platform/folder_reads.h"
#include "platform/start_in_folder.h"
#include "settings/setting_values.h"
#include "settings/settings_catalogue.h"
#include "store/user_registry.h"
#include "tests/common/drives.h"
#include "tests/common/recording_opener.h"
#include "tests/common/test_env.h"
#include "tests/ui/box_answerer.h"
#include "ui/copy_dialog.h"
#include "ui/delete_method_dialog.h"
#include "ui/directory_list_box.h"
#include "ui/drive_combo_box.h"
#include "ui/guarded.h"
#include "ui/help.h"
#include "ui/help_about_window.h"
#include "ui/kill_all_dialog.h"
#include "ui/main_window.h"
#include "ui/message_boxes.h"
#include "ui/slot_button.h"

namespace vorlix::test {

namespace fs = std::filesystem;

inline constexpr const char* kCacheRoot = "/windows/Temporary Internet Files";
inline constexpr const char* kIe5 = "/windows/Temporary Internet Files/Content.IE5";

inline void Settle() {
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

}  // namespace vorlix::test
