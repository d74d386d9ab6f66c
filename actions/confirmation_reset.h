// SPDX-License-Identifier: MIT
// Sets the confirmation flag true when a cleaning run ends, however it ends,
// so that the next "Delete Cache" click asks first again.
#pragma once

#include "actions/program_state.h"

namespace vorlix {

class ConfirmationReset {
 public:
  explicit ConfirmationReset(ProgramState& state) : state_(state) {}
  ConfirmationReset(const ConfirmationReset&) = delete;
  ConfirmationReset& operator=(const ConfirmationReset&) = delete;
  ~ConfirmationReset() { state_.confirm = true; }

 private:
  ProgramState& state_;
};

}  // namespace vorlix
