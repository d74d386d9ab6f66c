// SPDX-License-Identifier: MIT
// Which browsers have closed and stayed closed long enough for their caches to be emptied.
#include "cleaning/browser_closings.h"

#include <algorithm>

namespace vorlix {

void BrowserClosings::Look(const std::vector<BrowserProfile>& profiles, Clock::time_point now) {
  std::map<Key, bool> running;
  for (const BrowserProfile& profile : profiles) running[{profile.browser, profile.profile}] |= profile.running;
  for (const auto& [key, runs] : running) {
    const auto before = running_.find(key);
    if (runs) {
      due_.erase(key);
    } else if (before != running_.end() && before->second) {
      due_[key] = now + delay_;
    }
  }
  std::erase_if(due_, [&](const auto& entry) { return running.count(entry.first) == 0; });
  running_ = std::move(running);
}

std::optional<BrowserClosings::Clock::time_point> BrowserClosings::NextDue() const {
  if (due_.empty()) return std::nullopt;
  return std::min_element(due_.begin(), due_.end(), [](const auto& one, const auto& other) {
           return one.second < other.second;
         })->second;
}

std::set<BrowserClosings::Key> BrowserClosings::TakeDue(Clock::time_point now) {
  std::set<Key> due;
  for (auto it = due_.begin(); it != due_.end();) {
    if (it->second <= now) {
      due.insert(it->first);
      it = due_.erase(it);
    } else {
      ++it;
    }
  }
  return due;
}

}  // namespace vorlix
