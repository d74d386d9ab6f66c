// SPDX-License-Identifier: MIT

#include "platform/file_log.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/drive_paths.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "platform/folder_entries.h"
#include "platform/status.h"
#include "tests/common/drives.h"
#include "tests/common/test_env.h"

namespace vorlix::platform {
namespace {

using FileLogTest = test::DriveDTest;

void Keep(const gchar*, GLogLevelFlags, const gchar* message, gpointer records) {
  static_cast<std::vector<std::string>*>(records)->push_back(message);
}

TEST_F(FileLogTest, EachFailedOperationIsRecordedWithTheSystemsTextAndSuccessIsNot) {
  test::WriteFile(root_ + "/kept", "x");
  std::vector<std::string> records;
  const guint handler = g_log_set_handler(kFileLogDomain, G_LOG_LEVEL_DEBUG, Keep, &records);
  EXPECT_EQ(DeleteFile("D:\\missing"), kFileNotFound);
  const std::optional<FolderEntries> folder = FolderEntries::Open("D:\\");
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->Delete("gone"), ENOENT);
  EXPECT_EQ(folder->SetAttributes("kept", kAttrReadOnly), kOk);
  EXPECT_EQ(DeleteFile("D:\\kept"), kAccessDenied);  // read-only: refused before any system call
  g_log_remove_handler(kFileLogDomain, handler);
  EXPECT_EQ(records, (std::vector<std::string>{"look at " + root_ + "/missing: No such file or directory",
                                               "delete " + root_ + "/gone: No such file or directory"}));
}

TEST_F(FileLogTest, FailedCopiesAndDirectoryChangesAreRecorded) {
  std::vector<std::string> records;
  const guint handler = g_log_set_handler(kFileLogDomain, G_LOG_LEVEL_DEBUG, Keep, &records);
  EXPECT_FALSE(SourceFile::Open(root_ + "/missing"));
  EXPECT_FALSE(ReplacementFile::Create(root_ + "/no-folder/copy"));
  EXPECT_EQ(SetCurrentDir("D:\\missing"), kFileNotFound);
  g_log_remove_handler(kFileLogDomain, handler);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], "open for copying " + root_ + "/missing: No such file or directory");
  EXPECT_TRUE(records[1].starts_with("create the copy " + root_ + "/no-folder/.vorlix-copy-")) << records[1];
  EXPECT_EQ(records[2], "enter " + root_ + "/missing: No such file or directory");
}

}  // namespace
}  // namespace vorlix::platform
