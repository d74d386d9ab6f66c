// SPDX-License-Identifier: MIT
// Opening the display. When the toolkit cannot open one it ends the program
// with an abort after a page of messages; under this guard it prints one line
// naming the problem instead and the program ends with exit code 1. The
// toolkit's messages held back while the guard stood are passed on when it
// falls after a successful start.
#pragma once

namespace vorlix {

class DisplayGuard {
 public:
  DisplayGuard();
  ~DisplayGuard();
  DisplayGuard(const DisplayGuard&) = delete;
  DisplayGuard& operator=(const DisplayGuard&) = delete;
};

}  // namespace vorlix
