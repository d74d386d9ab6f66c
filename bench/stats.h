// SPDX-License-Identifier: MIT
// Repeated measurements: their median and range, and the order in which the
// sides of a comparison take their turns in each round.
#pragma once

#include <cstddef>
#include <vector>

namespace vorlix::bench {

struct Spread {
  double median = 0;
  double min = 0;
  double max = 0;
};

// The median (of an even count, the mean of the middle two), smallest and
// largest of some values; all zero for none.
Spread SpreadOf(std::vector<double> values);

// The sides' order in a round: 0 1 2 ... turned left by the round's number,
// so that each side goes first equally often and no side always meets the
// state another one left behind.
std::vector<std::size_t> RoundOrder(std::size_t sides, int round);

}  // namespace vorlix::bench
