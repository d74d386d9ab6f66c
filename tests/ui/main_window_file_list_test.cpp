// SPDX-License-Identifier: MIT
// The file list follows its folder: changes made by another program, F5, and
// a cleaning run that finds the folder changed while it asked.
#include <algorithm>

#include "tests/ui/main_window_fixture.h"

namespace vorlix {
namespace {

using test::BoxAnswerer;
using test::MainWindowTest;
using test::Settle;

bool Lists(const TForm1& form, const std::string& name) {
  const platform::NameList items = form.FileListItems();
  return std::find(items.begin(), items.end(), name) != items.end();
}

TEST_F(MainWindowTest, TheListFollowsChangesByOthersKeepingItsViewAndF5ReadsTheFolderAgain) {
  MakeFolder("/view");
  for (int i = 0; i < 300; ++i) test::WriteFile(c_ + "/view/f" + std::to_string(1000 + i), "");
  BoxAnswerer boxes;
  Start();
  form_->SetTreeDirectory("C:\\view");
  Settle();
  auto* list = Control<QAbstractItemView>("FileListBox1");
  const auto row = [&](int at) { return list->model()->index(at, 0); };
  list->scrollTo(row(100), QAbstractItemView::PositionAtTop);
  list->selectionModel()->setCurrentIndex(row(105), QItemSelectionModel::ClearAndSelect);
  const auto name_at_top = [&] { return list->indexAt(QPoint(1, 1)).data().toString(); };
  ASSERT_EQ(name_at_top(), "f1100");

  // Another program makes five files and removes one above the rows in view.
  for (int i = 0; i < 5; ++i) test::WriteFile(c_ + "/view/new" + std::to_string(i), "");
  std::filesystem::remove(c_ + "/view/f1050");
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == 304; }, 3000));
  Settle();
  EXPECT_TRUE(Lists(*form_, "new4"));
  EXPECT_FALSE(Lists(*form_, "f1050"));
  EXPECT_EQ(name_at_top(), "f1100");
  EXPECT_EQ(form_->FileListFileName(), "C:\\view\\f1105");
  const std::vector<bool> selected = form_->FileListSelection();
  EXPECT_EQ(std::count(selected.begin(), selected.end(), true), 1);

  // F5 reads the folder at once, for the list and the tree alike.
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  test::WriteFile(c_ + "/view/pressed", "");
  MakeFolder("/view/sub");
  QTest::keyClick(form_.get(), Qt::Key_F5);
  EXPECT_TRUE(Lists(*form_, "pressed"));
  const auto* tree = Control<QListWidget>("DirectoryListBox1");
  EXPECT_EQ(tree->item(tree->count() - 1)->data(Qt::UserRole).toByteArray(), "sub");
}

TEST_F(MainWindowTest, DeleteCacheDeletesWhatWasListedAndThenListsWhatCameMeanwhile) {
  MakeFolder("/view");
  for (const char* name : {"a", "b"}) test::WriteFile(c_ + "/view/" + name, "x");
  BoxAnswerer boxes({QMessageBox::Yes});
  Start();
  form_->SetTreeDirectory("C:\\view");
  // Another program makes a file while the question is open, and waits long
  // enough for the watch to see it.
  QTimer::singleShot(0, [&] {
    test::WriteFile(c_ + "/view/late", "x");
    QTest::qWait(1500);
  });
  state_.confirm = true;
  QTest::mouseClick(Control("BitBtn2"), Qt::LeftButton);
  EXPECT_FALSE(test::PathExists(c_ + "/view/a"));
  EXPECT_TRUE(test::PathExists(c_ + "/view/late"));
  EXPECT_EQ(form_->FileListItems(), (std::vector<std::string>{"late"}));
}

}  // namespace
}  // namespace vorlix
