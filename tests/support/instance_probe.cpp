// SPDX-License-Identifier: MIT
// A stand-in program for the single-instance tests. It runs the guard under
// the name it was started as and reports on standard output:
//   "first" or "second" after the start-up check;
//   "raise <title>" or "restore <title>" for each raise request it carries
//   out on its one pretend window.
// A second copy ends inside TJustOne32. A first copy serves raise requests
// until its standard input closes.
// Arguments: [--gate] [window title [minimised]]; with --gate the probe waits
// for one line on standard input before the check, so that tests can start
// several copies at the same moment.
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/single_instance.h"

namespace {

class PretendWindow final : public vorlix::platform::WindowSystem {
 public:
  PretendWindow(std::string title, bool minimized) : title_(std::move(title)), minimized_(minimized) {}
  bool IsWindow(vorlix::platform::WindowHandle window) const override { return window == 1; }
  vorlix::platform::WindowHandle FindWindow(const std::string& title) const override {
    return title == title_ ? 1 : 0;
  }
  void SetWindowTitle(vorlix::platform::WindowHandle, const std::string& title) override { title_ = title; }
  bool IsMinimized(vorlix::platform::WindowHandle) const override { return minimized_; }
  void Restore(vorlix::platform::WindowHandle) override { std::printf("restore %s\n", title_.c_str()); }
  void BringToTop(vorlix::platform::WindowHandle) override { std::printf("raise %s\n", title_.c_str()); }

 private:
  std::string title_;
  bool minimized_;
};

void RaiseRequested(vorlix::TPreviousInstance& instance, PretendWindow& window) {
  for (const std::string& title : instance.TakeRaiseRequests()) vorlix::RaiseWindowTitled(window, title);
  std::fflush(stdout);
}

void Serve(vorlix::TPreviousInstance& instance, PretendWindow& window) {
  char buffer[64];
  for (;;) {
    std::vector<pollfd> watched = {{STDIN_FILENO, POLLIN, 0}, {instance.RaiseRequestSocket(), POLLIN, 0}};
    for (const int connection : instance.PendingRaiseRequests()) watched.push_back({connection, POLLIN, 0});
    if (poll(watched.data(), watched.size(), -1) < 0) continue;
    RaiseRequested(instance, window);
    if ((watched[0].revents & (POLLIN | POLLHUP)) && read(STDIN_FILENO, buffer, sizeof buffer) <= 0) break;
  }
  // Requests sent before the end still count.
  RaiseRequested(instance, window);
}

}  // namespace

int main(int argc, char** argv) {
  int arg = 1;
  if (arg < argc && std::strcmp(argv[arg], "--gate") == 0) {
    ++arg;
    char line[8];
    if (read(STDIN_FILENO, line, 1) != 1) return 2;
  }
  PretendWindow window(arg < argc ? argv[arg] : "", arg + 1 < argc);
  vorlix::TPreviousInstance& instance = vorlix::TPreviousInstance::Check(argv[0]);
  std::printf("%s\n", instance.PreviousInstance() ? "second" : "first");
  std::fflush(stdout);
  vorlix::TJustOne32 just_one;
  if (instance.PreviousInstance()) return 3;
  Serve(instance, window);
  return 0;
}
