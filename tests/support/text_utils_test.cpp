// SPDX-License-Identifier: MIT

#include "support/text_utils.h"

#include <gtest/gtest.h>

namespace vorlix {
namespace {

TEST(AppendPathDelimiterTest, AddsABackslashOnlyWhereOneIsMissing) {
  EXPECT_EQ(AppendPathDelimiter(""), "");
  EXPECT_EQ(AppendPathDelimiter("C:"), "C:");
  EXPECT_EQ(AppendPathDelimiter("C:\\"), "C:\\");
  EXPECT_EQ(AppendPathDelimiter("C:\\temp"), "C:\\temp\\");
  EXPECT_EQ(AppendPathDelimiter("C:\\temp\\"), "C:\\temp\\");
  EXPECT_EQ(AppendPathDelimiter("a/b"), "a/b\\");
}

TEST(StripLeadingBlanksTest, DropsBlanksAndControlCharacters) {
  EXPECT_EQ(StripLeadingBlanks("   12"), "12");
  EXPECT_EQ(StripLeadingBlanks("   "), "");
  EXPECT_EQ(StripLeadingBlanks(""), "");
  EXPECT_EQ(StripLeadingBlanks("\t\r\n\x01 a b "), "a b ");
  EXPECT_EQ(StripLeadingBlanks("\xe9t\xe9"), "\xe9t\xe9");  // high bytes are text, not blanks
}

constexpr const char* kMask = "###,###,###,###,###";

std::string Format(long double number) { return StripLeadingBlanks(FormatNumberMask(kMask, number)); }

TEST(FormatNumberMaskTest, GroupsDigitsOfTheByteCounts) {
  EXPECT_EQ(Format(1), "1");
  EXPECT_EQ(Format(2), "2");
  EXPECT_EQ(Format(999), "999");
  EXPECT_EQ(Format(1000), "1,000");
  EXPECT_EQ(Format(1234567), "1,234,567");
  EXPECT_EQ(Format(999999999999999.0L), "999,999,999,999,999");
  EXPECT_EQ(Format(1000000000000000.0L), "***,***,***,***,***");
  EXPECT_EQ(Format(9223372036854775807.0L), "***,***,***,***,***");
  EXPECT_EQ(Format(0), "0");
  EXPECT_EQ(Format(1499.5L), "1,500");
  EXPECT_EQ(Format(0.4L), "0");
}

TEST(FormatNumberMaskTest, KeepsTheMaskLengthAndAlignsRight) {
  EXPECT_EQ(FormatNumberMask(kMask, 1000), "              1,000");
  EXPECT_EQ(FormatNumberMask(kMask, 123456), "            123,456");
  EXPECT_EQ(FormatNumberMask("###,###", 1234), "  1,234");
  EXPECT_EQ(FormatNumberMask("##", 123), "**");
  EXPECT_EQ(FormatNumberMask("", 0), "");
}

TEST(FormatNumberMaskTest, ShowsALossOfSpaceWithItsSign) {
  EXPECT_EQ(Format(-4096), "-4,096");
  EXPECT_EQ(Format(-123), "-123");  // no separator between the sign and the digits
  EXPECT_EQ(Format(-999999999999999.0L), "***,***,***,***,***");
  EXPECT_EQ(FormatNumberMask("####", -1), "  -1");
}

TEST(GroupedCountTest, PutsACommaBetweenGroupsOfThreeDigitsOnly) {
  EXPECT_EQ(GroupedCount(0), "0");
  EXPECT_EQ(GroupedCount(999), "999");
  EXPECT_EQ(GroupedCount(1000), "1,000");
  EXPECT_EQ(GroupedCount(123456), "123,456");
  EXPECT_EQ(GroupedCount(UINT64_MAX), "18,446,744,073,709,551,615");
  // A count with its noun is grouped too, and singular only for one.
  EXPECT_EQ(Counted(1, "browser cache"), "1 browser cache");
  EXPECT_EQ(Counted(5000, "file"), "5,000 files");
  EXPECT_EQ(Counted(0, "byte"), "0 bytes");
}

TEST(SizeTextTest, CountsInThousandsAndTakesAUnitOnlyOnceReached) {
  EXPECT_EQ(SizeText(1), "1 byte");
  EXPECT_EQ(SizeText(999), "999 bytes");
  EXPECT_EQ(SizeText(1000), "1.0 kB");
  EXPECT_EQ(SizeText(673039), "673.0 kB");
  EXPECT_EQ(SizeText(999999), "1000.0 kB");
  EXPECT_EQ(SizeText(1500000), "1.5 MB");
  EXPECT_EQ(SizeText(UINT64_MAX), "18.4 EB");
}

}  // namespace
}  // namespace vorlix
