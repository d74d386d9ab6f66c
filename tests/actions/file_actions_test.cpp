// SPDX-License-Identifier: MIT

#include "actions/file_actions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/actions/fake_main_view.h"
#include "tests/common/drives.h"
#include "tests/common/recording_opener.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

using test::ReadFile;
using test::WriteFile;
using Texts = std::vector<std::string>;

// The main window with a chosen selection, focus and copy dialog outcome.
class FileActionsView : public test::FakeMainView {
 public:
  explicit FileActionsView(ProgramState& state) : state_(state) {}
  std::vector<bool> FileListSelection() const override { return selection; }
  std::string FileListFileName() const override { return focused; }
  bool ShowCopyDestDialog() override {
    ++copy_dialogs;
    if (copy_ok) state_.copy_destination = chosen;
    return copy_ok;
  }

  std::vector<bool> selection;
  std::string focused;
  bool copy_ok = true;
  std::string chosen;  // the folder the dialog's OK sets, with its delimiter
  int copy_dialogs = 0;

 private:
  ProgramState& state_;
};

class FileActionsTest : public test::DriveDTest {
 protected:
  void SetUp() override {
    DriveDTest::SetUp();
    std::filesystem::create_directories(root_ + "/list");
    std::filesystem::create_directories(root_ + "/dest");
    view_.SetTreeDirectory("D:\\list");
    view_.chosen = "D:\\dest\\";
  }
  void List(const Texts& names, const std::vector<bool>& selection) {
    for (const std::string& name : names) WriteFile(root_ + "/list/" + name, "content of " + name);
    view_.items = names;
    view_.selection = selection;
  }

  ProgramState state_;
  FileActionsView view_{state_};
  test::RecordingOpener opener_;
  TExecFile exec_;
};

TEST_F(FileActionsTest, DoubleClickOpensTheFocusedFileWithItsQuotedPath) {
  const std::string name = "it's \"odd\" na\xc3\xafve.txt";
  List({name}, {true});
  view_.focused = "D:\\list\\" + name;
  OpenFocusedFile(view_, exec_);
  EXPECT_EQ(opener_.paths, Texts({root_ + "/list/" + name}));
  EXPECT_EQ(exec_.Operation, "open");
  EXPECT_EQ(exec_.Parameters, "\"D:\\list\\" + name + "\"");

  view_.focused.clear();  // no selected file under the focus
  try {
    OpenFocusedFile(view_, exec_);
    ADD_FAILURE() << "no error";
  } catch (const EExecFileError& error) {
    EXPECT_STREQ(error.what(), "Unable to open ''.\r\nFile was not found");
  }
}

TEST_F(FileActionsTest, RightClickCopiesTheSelectedFilesInListOrderSkippingFailures) {
  const std::string odd = "b \"c\" \xc3\xa9t\xc3\xa9.txt";
  List({"a.txt", "gone.txt", odd, "unselected.txt", "e.txt"}, {true, true, true, false, true});
  std::filesystem::remove(root_ + "/list/gone.txt");  // listed, but no longer there
  WriteFile(root_ + "/dest/a.txt", "older a");
  std::filesystem::create_directory(root_ + "/dest/e.txt");  // a folder stands in the way

  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_EQ(view_.questions, Texts({"Copy the selected files to the folder:\n\rD:\\dest\\"}));
  EXPECT_EQ(ReadFile(root_ + "/dest/a.txt"), "content of a.txt");
  EXPECT_EQ(ReadFile(root_ + "/dest/" + odd), "content of " + odd);
  EXPECT_FALSE(test::PathExists(root_ + "/dest/gone.txt"));
  EXPECT_FALSE(test::PathExists(root_ + "/dest/unselected.txt"));
  EXPECT_TRUE(std::filesystem::is_directory(root_ + "/dest/e.txt"));

  // Copying into the listed folder itself leaves every file intact.
  view_.chosen = "D:\\LIST\\";
  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_EQ(ReadFile(root_ + "/list/a.txt"), "content of a.txt");
  EXPECT_EQ(ReadFile(root_ + "/list/" + odd), "content of " + odd);
}

TEST_F(FileActionsTest, ANameHoldingABackslashIsThatFileNeverASubfoldersFile) {
  std::filesystem::create_directories(root_ + "/list/a");
  WriteFile(root_ + "/list/a/b", "the subfolder's file");
  std::filesystem::create_directories(root_ + "/dest/a");
  WriteFile(root_ + "/dest/a/b", "the destination's own file");
  List({"a\\b"}, {true});

  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_EQ(ReadFile(root_ + "/dest/a\\b"), "content of a\\b");
  EXPECT_EQ(ReadFile(root_ + "/dest/a/b"), "the destination's own file");

  view_.focused = "D:\\list\\a\\b";
  OpenFocusedFile(view_, exec_);
  EXPECT_EQ(opener_.paths, Texts({root_ + "/list/a\\b"}));
}

TEST_F(FileActionsTest, NothingIsCopiedWithoutOkYesAndTheRightButton) {
  List({"a.txt"}, {true});
  CopySelectedFiles(TMouseButton::mbLeft, state_, view_);
  CopySelectedFiles(TMouseButton::mbMiddle, state_, view_);
  EXPECT_EQ(view_.copy_dialogs, 0);

  view_.copy_ok = false;
  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_TRUE(view_.questions.empty());
  EXPECT_EQ(state_.copy_destination, "");

  view_.copy_ok = true;
  view_.answer = false;  // OK then No: the folder is chosen all the same
  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_EQ(state_.copy_destination, "D:\\dest\\");
  EXPECT_FALSE(test::PathExists(root_ + "/dest/a.txt"));

  view_.answer = true;
  view_.selection = {false};
  view_.chosen = "D:\\";  // a drive root shows one backslash
  CopySelectedFiles(TMouseButton::mbRight, state_, view_);
  EXPECT_EQ(view_.questions.back(), "Copy the selected files to the folder:\n\rD:\\");
  EXPECT_FALSE(test::PathExists(root_ + "/a.txt"));
  EXPECT_EQ(view_.copy_dialogs, 3);
}

TEST_F(FileActionsTest, HistoryButtonOpensTheQuotedHistoryFolderInTheFileManager) {
  std::filesystem::create_directory(root_ + "/My History");
  state_.history_folder = "d:\\my history";
  OpenHistoryFolder(state_, view_, exec_);
  EXPECT_EQ(view_.status_texts.back(), "d:\\my history");
  EXPECT_EQ(exec_.FileName, "C:\\WINDOWS\\EXPLORER.EXE");
  EXPECT_EQ(exec_.Parameters, " \"d:\\my history\"");
  EXPECT_EQ(opener_.paths, Texts({root_ + "/My History"}));

  state_.history_folder = "c:\\windows\\History";
  EXPECT_THROW(OpenHistoryFolder(state_, view_, exec_), EExecFileError);
  EXPECT_EQ(view_.status_texts.back(), "c:\\windows\\History");
}

}  // namespace
}  // namespace vorlix
