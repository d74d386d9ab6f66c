// SPDX-License-Identifier: MIT
// Which browsers have closed and stayed closed long enough for their caches
// to be emptied. Fed with each look at the profiles, it keeps when each
// profile was last seen to close; a browser that opens again in the wait
// keeps its caches, one that was never seen running is never due.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cleaning/browser_caches.h"

namespace vorlix {

class BrowserClosings {
 public:
  using Clock = std::chrono::steady_clock;
  using Key = std::pair<std::string, std::string>;  // browser and profile, as a cache set names them

  explicit BrowserClosings(Clock::duration delay) : delay_(delay) {}

  // A look at every profile, taken at `now`. A profile that runs in any of
  // its layouts counts as running; one seen running before and closed now is
  // due `delay` later; one running again is not due; one gone is forgotten.
  void Look(const std::vector<BrowserProfile>& profiles, Clock::time_point now);

  // When the first profile is due; nothing when none is.
  std::optional<Clock::time_point> NextDue() const;

  // The profiles due at `now`; they are not due any more.
  std::set<Key> TakeDue(Clock::time_point now);

 private:
  Clock::duration delay_;
  std::map<Key, bool> running_;
  std::map<Key, Clock::time_point> due_;
};

}  // namespace vorlix
