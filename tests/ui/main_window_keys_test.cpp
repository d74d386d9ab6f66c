// SPDX-License-Identifier: MIT
// The main window driven by the keyboard alone: the Tab order, the folder
// buttons' keys and a whole cleaning run from key presses.
#include <QAction>
#include <functional>
#include <utility>

#include "tests/ui/main_window_fixture.h"

namespace vorlix {
namespace {

using test::BoxAnswerer;
using test::MainWindowTest;
using test::Settle;

void Press(TForm1& form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = form.focusWidget() != nullptr ? form.focusWidget() : &form;
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  Settle();
}

// Gives the window the keyboard again: the offscreen platform does not hand it
// back when a box closes.
void Reactivate(QWidget& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Starts the window, answering the boxes of its first activation, and gives it
// the keyboard.
void StartPastItsMessages(const std::function<TForm1&()>& start) {
  BoxAnswerer boxes;
  Reactivate(start());
}

// Tabs until the named control has the focus.
void TabTo(TForm1& form, const char* name) {
  for (int i = 0; i < 30 && (form.focusWidget() == nullptr || form.focusWidget()->objectName() != name); ++i) {
    Press(form, Qt::Key_Tab);
  }
  ASSERT_NE(form.focusWidget(), nullptr);
  ASSERT_EQ(form.focusWidget()->objectName().toStdString(), name);
}

TEST_F(MainWindowTest, TabWalksEveryControlOnceInReadingOrderAndEscClosesHelp) {
  StartPastItsMessages([this]() -> TForm1& { return Start(); });
  const QStringList order = {"SpeedButton1",  "SpeedButton2",  "SpeedButton3",  "SpeedButton4", "SpeedButton05",
                             "SpeedButton06", "SpeedButton07", "SpeedButton08", "btnU1",        "btnU2",
                             "btnU3",         "btnU4",         "btnU5",         "btnU6",        "SpeedButton7",
                             "SpeedButton9",  "BitBtn2",       "BitBtn1",       "CheckBox1",    "SpeedButton6",
                             "SpeedButton5",  "DriveComboBox1", "DirectoryListBox1", "FileListBox1"};
  TabTo(*form_, "SpeedButton1");
  QStringList walked;
  for (qsizetype i = 0; i < order.size(); ++i) {
    walked << form_->focusWidget()->objectName();
    Press(*form_, Qt::Key_Tab);
  }
  EXPECT_EQ(walked, order);
  EXPECT_EQ(form_->focusWidget()->objectName(), order.front());  // round to the start
  Press(*form_, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(form_->focusWidget()->objectName(), order.back());
  // The arrow keys move along the folder buttons too.
  TabTo(*form_, "SpeedButton08");
  Press(*form_, Qt::Key_Right);
  EXPECT_EQ(form_->focusWidget()->objectName(), "btnU1");

  // Enter, and the keypad's Enter, press the focused button: here Help and
  // About, which Esc closes.
  auto* form2 = new TForm2(form_.get());
  form_->SetWindows(form2, nullptr, nullptr, nullptr);
  for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::KeyboardModifiers(Qt::NoModifier)},
                                       std::pair{Qt::Key_Enter, Qt::KeyboardModifiers(Qt::KeypadModifier)}}) {
    Reactivate(*form_);
    TabTo(*form_, "SpeedButton6");
    Press(*form_, key, modifiers);
    EXPECT_TRUE(form2->isVisible()) << static_cast<int>(key);
    QTest::keyClick(form2, Qt::Key_Escape);
    EXPECT_FALSE(form2->isVisible());
  }

  Reactivate(*form_);
  QTest::keyClick(form_.get(), Qt::Key_F1);
  QWidget* help = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "HelpWindow" && top->isVisible()) help = top;
  }
  ASSERT_NE(help, nullptr);
  Reactivate(*help);
  QTest::keyClick(help->findChild<QWidget*>("HelpBrowser"), Qt::Key_Escape);
  Settle();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(top->objectName() == "HelpWindow" && top->isVisible());
  }
}

TEST_F(MainWindowTest, AFolderIsCleanedWithKeysAlone) {
  MakeFolder("/start");
  for (const char* name : {"a", "b"}) test::WriteFile(c_ + "/start/" + name, "x");
  reg_.WriteValue("IE Button 2 Default Folder", "c:\\start");
  // The warning is answered first with Esc, which keeps the files, then with Y
  // (its default is No); the report is closed with Enter.
  StartPastItsMessages([this]() -> TForm1& { return Start(); });
  BoxAnswerer boxes(BoxAnswerer::Keys{{Qt::Key_Escape, Qt::Key_Y, Qt::Key_Return}});
  TabTo(*form_, "SpeedButton2");
  Press(*form_, Qt::Key_Space);
  EXPECT_EQ(form_->FileListDirectory(), "C:\\start");
  Press(*form_, Qt::Key_D, Qt::AltModifier);
  Settle();
  EXPECT_TRUE(test::PathExists(c_ + "/start/a"));
  Reactivate(*form_);
  Press(*form_, Qt::Key_D, Qt::AltModifier);
  Settle();
  EXPECT_FALSE(test::PathExists(c_ + "/start/a"));
  EXPECT_FALSE(test::PathExists(c_ + "/start/b"));
  ASSERT_EQ(boxes.Seen().size(), 3);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Warning: You are about to DELETE all of the files"));
  EXPECT_TRUE(boxes.Seen()[1].startsWith("Warning: You are about to DELETE all of the files"));
  EXPECT_TRUE(boxes.Seen()[2].startsWith("Vorlix 5.0: ")) << boxes.Seen()[2].toStdString();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  // Alt+U ticks "Use Recycle Bin" and the menu item shows it.
  Reactivate(*form_);
  const bool ticked = RecycleBox()->isChecked();
  Press(*form_, Qt::Key_U, Qt::AltModifier);
  EXPECT_NE(RecycleBox()->isChecked(), ticked);
  EXPECT_EQ(form_->findChild<QAction*>("UseRecycleBin1")->isChecked(), RecycleBox()->isChecked());
}

// The tree's rows are the folders' names without the indentation that shows their depth, so
// typing a name's first letters finds it, and a screen reader reads the name alone.
TEST_F(MainWindowTest, TypingAFoldersFirstLettersFindsItInTheTree) {
  MakeFolder("/start/sub/alpha");
  MakeFolder("/start/sub/zeta");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start\\sub");
  Start();
  auto* tree = Control<QListWidget>("DirectoryListBox1");
  tree->setFocus();
  QTest::keyClicks(tree, "ze");
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->text(), "zeta");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(tree);
  QStringList spoken;
  for (int i = 0; i < list->childCount(); ++i) spoken << list->child(i)->text(QAccessible::Name);
  EXPECT_EQ(spoken, (QStringList{"C:\\", "start", "sub", "alpha", "zeta"}));
}

TEST_F(MainWindowTest, ShiftEnterSavesAFolderButtonAndShiftDeleteClearsIt) {
  MakeFolder("/keep");
  StartPastItsMessages([this]() -> TForm1& { return Start(); });
  BoxAnswerer boxes(BoxAnswerer::Keys{{Qt::Key_Return, Qt::Key_Return, Qt::Key_Return, Qt::Key_Return}});
  form_->SetTreeDirectory("C:\\keep");
  TabTo(*form_, "btnU3");
  Press(*form_, Qt::Key_Return, Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(Stored("User Button 3 Default Folder"), "C:\\keep");
  Press(*form_, Qt::Key_Delete, Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(Stored("User Button 3 Default Folder"), "<absent>");
  ASSERT_EQ(boxes.Seen().size(), 4);
  EXPECT_TRUE(boxes.Seen()[0].startsWith("Confirm: You are about to save")) << boxes.Seen()[0].toStdString();
  EXPECT_TRUE(boxes.Seen()[2].startsWith("Confirm: You are about to clear")) << boxes.Seen()[2].toStdString();
  EXPECT_TRUE(test::PathExists(c_ + "/keep"));
}

}  // namespace
}  // namespace vorlix
