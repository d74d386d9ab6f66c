// SPDX-License-Identifier: MIT
// The Qt application a section that shows widgets runs in.
#pragma once

#include <functional>

namespace vorlix::bench {

// Runs `body` inside an application on the offscreen platform (unless
// QT_QPA_PLATFORM names another).
void WithOffscreenApp(const std::function<void()> &body);

}  // namespace vorlix::bench
