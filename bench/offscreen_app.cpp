// SPDX-License-Identifier: MIT
// The Qt application a section that shows widgets runs in.

#include "bench/offscreen_app.h"

#include <QApplication>
#include <cstdlib>

namespace vorlix::bench {

void WithOffscreenApp(const std::function<void()> &body) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int argc = 1;
  char name[] = "vorlix-bench";
  char *argv[] = {name, nullptr};
  const QApplication app(argc, argv);
  body();
}

}  // namespace vorlix::bench
