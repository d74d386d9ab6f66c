// SPDX-License-Identifier: MIT
// The main window: start-up, the activation rule, help, names and keyboard.
#include <QAbstractSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QTextBrowser>

#include "tests/ui/main_window_fixture.h"
#include "ui/browser_caches_dialog.h"
#include "ui/let_go_dialog.h"
#include "ui/restore_dialog.h"
#include "ui/schedule_dialog.h"

namespace vorlix {
namespace {

using test::BoxAnswerer;
using test::MainWindowTest;
using test::Settle;
using test::kIe5;


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

TEST_F(MainWindowTest, EnteringAFolderReadsItOnceForTheTreeAndTheList) {
  MakeFolder("/view/Sub");
  MakeFolder("/view/.hid");
  MakeFolder("/elsewhere");
  for (const char* name : {"b.tmp", "A.tmp", ".hidden"}) test::WriteFile(c_ + "/view/" + name, "x");
  std::filesystem::create_directory_symlink(c_ + "/elsewhere", c_ + "/view/folder-link");
  std::filesystem::create_symlink(c_ + "/view/b.tmp", c_ + "/view/file-link");
  std::filesystem::create_symlink(c_ + "/view/gone", c_ + "/view/dangling");
  ASSERT_EQ(mkfifo((c_ + "/view/pipe").c_str(), 0644), 0);
  BoxAnswerer boxes;
  Start();
  const std::uint64_t reads = platform::FolderReadCount();
  form_->SetTreeDirectory("C:\\view");
  EXPECT_EQ(platform::FolderReadCount() - reads, 1u);

  const auto* tree = form_->findChild<QListWidget*>("DirectoryListBox1");
  std::vector<std::string> rows;
  for (int row = 0; row < tree->count(); ++row)
    rows.push_back(tree->item(row)->data(Qt::UserRole).toByteArray().toStdString());
  EXPECT_EQ(rows, (std::vector<std::string>{"C:\\", "view", ".hid", "folder-link", "Sub"}));
  EXPECT_EQ(form_->FileListItems(), (std::vector<std::string>{"A.tmp", "b.tmp", "file-link"}));
}

TEST_F(MainWindowTest, ALargeFolderShowsItsFirstFilesAtOnceAndTheWholeSortedListBeforeAnyAction) {
  constexpr int kFiles = 10050;  // more than the tree reads before it shows a folder
  MakeFolder("/large/zz-sub");
  for (int i = kFiles - 1; i >= 0; --i) test::WriteFile(c_ + "/large/f" + std::to_string(100000 + i), "");
  BoxAnswerer boxes;
  Start();
  const std::uint64_t reads = platform::FolderReadCount();
  form_->SetTreeDirectory("C:\\large");
  auto* list = form_->findChild<QAbstractItemView*>("FileListBox1");
  const int shown = list->model()->rowCount();
  ASSERT_GT(shown, 0);
  ASSERT_LT(shown, kFiles);  // the rest is still being read
  for (int row = 1; row < shown; ++row) {
    ASSERT_LT(list->model()->index(row - 1, 0).data().toString().toStdString(),
              list->model()->index(row, 0).data().toString().toStdString());
  }
  const QModelIndex picked = list->model()->index(shown / 2, 0);
  const std::string picked_name = picked.data().toString().toStdString();
  list->selectionModel()->setCurrentIndex(picked, QItemSelectionModel::Select);

  // An action sees every file, in order, and the selection stays on its name.
  const platform::NameList items = form_->FileListItems();
  ASSERT_EQ(items.size(), static_cast<std::size_t>(kFiles));
  for (std::size_t i = 0; i < items.size(); ++i) ASSERT_EQ(items[i], "f" + std::to_string(100000 + i));
  const std::vector<bool> selected = form_->FileListSelection();
  const std::size_t at = std::stoul(picked_name.substr(1)) - 100000;
  EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 1);
  EXPECT_TRUE(selected[at]);
  EXPECT_EQ(form_->FileListFileName(), "C:\\large\\" + picked_name);

  // The subfolder joins the tree when the read ends; the folder was read once.
  const auto* tree = form_->findChild<QListWidget*>("DirectoryListBox1");
  EXPECT_TRUE(QTest::qWaitFor([&] { return tree->count() == 3; }, 5000));
  EXPECT_EQ(tree->item(2)->data(Qt::UserRole).toByteArray().toStdString(), "zz-sub");
  EXPECT_EQ(platform::FolderReadCount() - reads, 1u);
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

  // A modal dialog, a message box and a switch from another application leave
  // the view alone. The dialog takes the focus and hands it straight back to
  // the window as it closes, as a window system does.
  QTimer::singleShot(0, &modal, [&] { QApplication::setActiveWindow(&modal); });
  QTimer::singleShot(50, &modal, [&] {
    QApplication::setActiveWindow(form_.get());
    modal.reject();
  });
  modal.exec();
  Settle();
  EXPECT_FALSE(activated());
  // The box, too, takes the focus and hands it back before it is answered.
  QTimer::singleShot(0, &modal, [&] {
    QApplication::setActiveWindow(QApplication::activeModalWidget());
    QApplication::setActiveWindow(form_.get());
  });
  QTest::mousePress(Button("SpeedButton3"), Qt::RightButton);
  Settle();
  ASSERT_EQ(boxes.Seen().size(), 1);
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

// Loses every activation, as a display system that never activates a new window does.
class ActivationLoss : public QObject {
 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override { return event->type() == QEvent::WindowActivate; }
};

TEST_F(MainWindowTest, TheStartUpWorkRunsOnceWhetherTheWindowIsActivatedOrNot) {
  MakeFolder("/start");
  reg_.WriteValue("IE Button 1 Default Folder", "c:\\start");
  // Activated: the work runs then, and not again once the window has been
  // shown a while.
  Start();
  EXPECT_EQ(form_->TreeDirectory(), "C:\\start");
  form_->SetTreeDirectory("C:\\");
  QTest::qWait(800);
  EXPECT_EQ(form_->TreeDirectory(), "C:\\");

  // Never activated: the work runs a moment after the window is shown.
  ActivationLoss loss;
  QApplication::instance()->installEventFilter(&loss);
  form_ = std::make_unique<TForm1>(state_);
  form_->show();
  Settle();
  EXPECT_EQ(form_->TreeDirectory(), "C:\\");
  EXPECT_TRUE(QTest::qWaitFor([&] { return form_->TreeDirectory() == "C:\\start"; }, 3000));
  // An activation that comes after all is not the first one.
  QApplication::instance()->removeEventFilter(&loss);
  form_->SetTreeDirectory("C:\\");
  QApplication::setActiveWindow(nullptr);
  QApplication::setActiveWindow(form_.get());
  Settle();
  EXPECT_EQ(form_->TreeDirectory(), "C:\\");
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

// Every control met in a window's accessible tree, with the window's name.
void CollectControls(QAccessibleInterface* node, QWidget* window, std::vector<QAccessibleInterface*>& controls) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (child == nullptr) continue;
    auto* widget = qobject_cast<QWidget*>(child->object());
    if (widget == nullptr || widget->window() != window || !widget->isVisibleTo(window)) continue;
    const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
                         qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                         qobject_cast<QTextBrowser*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
    if (control) {
      controls.push_back(child);
    } else {
      CollectControls(child, window, controls);
    }
  }
}

TEST_F(MainWindowTest, EveryControlOfEveryWindowHasARoleANameItsHintAndTheFocusWhenItCanAct) {
  BoxAnswerer boxes;
  Start();
  TForm2 form2(form_.get());
  TForm4 form4(state_, form_.get());
  TForm5 form5(state_, form_.get());
  TCopyDest copy_dest(state_, form_.get());
  BrowserCachesDialog caches({}, *form_, *form_, reg_, form_.get());
  RestoreDialog restore(form_.get());
  LetGoDialog let_go(reg_, form_.get());
  ScheduleDialog schedule({test::MakeTempDir("units"), "/usr/bin/vorlix-clean",
                           [](const std::vector<std::string>&) { return platform::ProgramOutcome{true, 0, "", ""}; }},
                          form_.get());
  ShowHelpContents(form_.get());
  QWidget* help = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "HelpWindow") help = top;
  }
  ASSERT_NE(help, nullptr);
  std::size_t controls = 0;
  EXPECT_EQ(QAccessible::queryAccessibleInterface(help)->role(), QAccessible::Window);
  for (QWidget* window : std::initializer_list<QWidget*>{form_.get(), &form2, &form4, &form5, &copy_dest, &caches,
                                                         &restore, &let_go, &schedule, help}) {
    window->show();
    Settle();
    std::vector<QAccessibleInterface*> found;
    CollectControls(QAccessible::queryAccessibleInterface(window), window, found);
    EXPECT_FALSE(found.empty()) << window->objectName().toStdString();
    std::set<QString> names;
    for (QAccessibleInterface* control : found) {
      auto* widget = static_cast<QWidget*>(control->object());
      const QString name = control->text(QAccessible::Name);
      const std::string where = window->objectName().toStdString() + "/" + widget->objectName().toStdString() +
                                " \"" + name.toStdString() + "\"";
      EXPECT_NE(control->role(), QAccessible::NoRole) << where;
      EXPECT_FALSE(name.isEmpty()) << where;
      // Named by what it does, not by what it shows now, and told apart from the rest of its window.
      if (qobject_cast<QAbstractItemView*>(widget) == nullptr) {  // a list's value is its name
        EXPECT_NE(name, control->text(QAccessible::Value)) << where;
      }
      EXPECT_TRUE(names.insert(name).second) << where << " is not the only one so named";
      EXPECT_FALSE(control->text(QAccessible::Description).isEmpty()) << where;
      if (!widget->toolTip().isEmpty()) {
        EXPECT_EQ(control->text(QAccessible::Description), widget->toolTip()) << where;
      }
      EXPECT_TRUE(!widget->isEnabled() || control->state().focusable) << where;
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
      // A text that takes the focus (to be selected) is read by its text: it has one.
      if (label->isVisibleTo(window) && label->focusPolicy() != Qt::NoFocus) {
        EXPECT_FALSE(label->text().isEmpty()) << window->objectName().toStdString() << "/"
                                              << label->objectName().toStdString();
      }
    }
    controls += found.size();
    window->hide();
  }
  EXPECT_GE(controls, 70u);
  auto spoken = [](QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
  };
  EXPECT_EQ(spoken(form_->findChild<QWidget*>("SpeedButton5")), "Exit program");
  EXPECT_EQ(spoken(form4.findChild<QWidget*>("CheckBox1")), "IE Button 1");

  // A message box's OK answers its text: it is not told as keeping a choice.
  QMessageBox box(QMessageBox::Information, kApplicationTitle, "Done.", QMessageBox::Ok, form_.get());
  box.show();
  EXPECT_EQ(spoken(box.button(QMessageBox::Ok)), "OK");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(box.button(QMessageBox::Ok))->text(QAccessible::Description), "");
  box.close();
}

}  // namespace
}  // namespace vorlix
