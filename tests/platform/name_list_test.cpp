// SPDX-License-Identifier: MIT
// The packed name list: names come back whole after sorting, in listing order.
#include "platform/name_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlix::platform {
namespace {

std::vector<std::string> Strings(const NameList& names) { return {names.begin(), names.end()}; }

TEST(NameListTest, SortsByBytesWithAsciiLettersFoldedAndKeepsEachNameWhole) {
  NameList names{"b", "ab", "\xc3\xa9t\xc3\xa9", "B2", "a", "[x]", "Z", "abc", ""};
  names.SortIgnoringAsciiCase();
  // A name comes before the longer names it begins; "[" (0x5B) falls between
  // "Z" and "a" only when letters are not folded, so here it comes first.
  EXPECT_EQ(Strings(names),
            (std::vector<std::string>{"", "[x]", "a", "ab", "abc", "b", "B2", "Z", "\xc3\xa9t\xc3\xa9"}));
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i].data()[names[i].size()], '\0') << i;
  names.push_back("late");
  EXPECT_EQ(names[names.size() - 1], "late");
  EXPECT_EQ(names, NameList(Strings(names)));
}

}  // namespace
}  // namespace vorlix::platform
