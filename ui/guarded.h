// SPDX-License-Identifier: MIT
// Runs a handler and shows an exception that leaves it in an error box, so that
// no exception crosses the toolkit's own code; the program carries on.
#pragma once

#include <exception>
#include <utility>

#include "ui/message_boxes.h"

namespace vorlix {

template <typename Handler>
void Guarded(QWidget* parent, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& error) {
    ShowError(parent, error.what());
  }
}

}  // namespace vorlix
