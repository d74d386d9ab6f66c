// SPDX-License-Identifier: MIT
#include "bench/stats.h"

#include <gtest/gtest.h>

namespace vorlix::bench {
namespace {

TEST(BenchStats, MedianAndRangeOfOddAndEvenCounts) {
  const Spread odd = SpreadOf({5, 1, 3});
  EXPECT_EQ(odd.median, 3);
  EXPECT_EQ(odd.min, 1);
  EXPECT_EQ(odd.max, 5);
  EXPECT_EQ(SpreadOf({4, 1, 3, 2}).median, 2.5);
  EXPECT_EQ(SpreadOf({}).median, 0);
}

TEST(BenchStats, EachSideLeadsInTurn) {
  EXPECT_EQ(RoundOrder(2, 0), (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(RoundOrder(2, 1), (std::vector<std::size_t>{1, 0}));
  EXPECT_EQ(RoundOrder(3, 1), (std::vector<std::size_t>{1, 2, 0}));
  EXPECT_EQ(RoundOrder(3, 5), (std::vector<std::size_t>{2, 0, 1}));
}

}  // namespace
}  // namespace vorlix::bench
