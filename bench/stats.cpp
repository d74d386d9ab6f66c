// SPDX-License-Identifier: MIT
// Repeated measurements.

#include "bench/stats.h"

#include <algorithm>

namespace vorlix::bench {

Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  const double median = values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  return {median, values.front(), values.back()};
}

std::vector<std::size_t> RoundOrder(std::size_t sides, int round) {
  std::vector<std::size_t> order(sides);
  for (std::size_t i = 0; i < sides; ++i) order[i] = (i + static_cast<std::size_t>(round)) % sides;
  return order;
}

}  // namespace vorlix::bench
