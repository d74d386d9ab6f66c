// SPDX-License-Identifier: MIT

#include "support/message_text.h"
#include "cleaning/regained_report.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

std::string LastLine(const std::string& text) { return text.substr(text.rfind("\n\r") + 2); }

TEST(RegainedReportTest, GroupsTheBytesRegainedAndSaysEmptyUpToOneByte) {
  const std::string empty =
      "Your cache must have been empty as the\n\rspace after cleaning is the same as\n\r"
      "before cleaning or you used the\n\rrecycle bin for your deletions.";
  EXPECT_EQ(RegainedReport(kFolderCleanedLine, 1), empty);
  EXPECT_EQ(RegainedReport(kFolderCleanedLine, 0), empty);
  EXPECT_EQ(RegainedReport(kAllFoldersCleanedLine, -4096), empty);

  EXPECT_EQ(LastLine(RegainedReport(kFolderCleanedLine, 2)), "You have regained 2 bytes.");
  EXPECT_EQ(LastLine(RegainedReport(kFolderCleanedLine, 1000)), "You have regained 1,000 bytes.");
  EXPECT_EQ(LastLine(RegainedReport(kFolderCleanedLine, 1234567)), "You have regained 1,234,567 bytes.");
  EXPECT_EQ(LastLine(RegainedReport(kFolderCleanedLine, 1234567890123456)),
            "You have regained ***,***,***,***,*** bytes.");
}

TEST(RegainedReportTest, TheLongestReportHoldsFifteenDigitsInTwoHundredFiftyFiveCharacters) {
  const std::string report = RegainedReport(kAllFoldersCleanedLine, 999999999999999);
  EXPECT_EQ(report,
            "All selected Cache folders have been cleaned up.\n\r"
            "The Windows File Explorer still holds the file\n\r"
            "pointers in a special data file. See the help\n\r"
            "for instructions on how to clear that from the\n\r"
            "explorer view.\n\r\n\r"
            "You have regained 999,999,999,999,999 bytes.");
  EXPECT_EQ(report.size(), 255u);
  EXPECT_EQ(RegainedReport(kFolderCleanedLine, 999999999999999).substr(0, 48),
            "The selected Cache folder has been cleaned up.\n\r");
}

TEST(JoinLinesTest, PutsTheBreakBetweenLinesOnly) {
  EXPECT_EQ(JoinLines({"one", "", "three"}), "one\n\r\n\rthree");
  EXPECT_EQ(JoinLines({"alone"}), "alone");
  EXPECT_EQ(JoinLines({}), "");
}

}  // namespace
}  // namespace vorlix
