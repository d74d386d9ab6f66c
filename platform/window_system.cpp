// SPDX-License-Identifier: MIT
// The program's own top-level windows, as the window toolkit sees them.

#include "platform/window_system.h"

namespace vorlix::platform {
namespace {

class NoWindows final : public WindowSystem {
 public:
  bool IsWindow(WindowHandle) const override { return false; }
  WindowHandle FindWindow(const std::string&) const override { return 0; }
  void SetWindowTitle(WindowHandle, const std::string&) override {}
  bool IsMinimized(WindowHandle) const override { return false; }
  void Restore(WindowHandle) override {}
  void BringToTop(WindowHandle) override {}
};

NoWindows no_windows;
WindowSystem* installed = &no_windows;

}  // namespace

WindowSystem& CurrentWindowSystem() { return *installed; }

void InstallWindowSystem(WindowSystem* windows) { installed = windows != nullptr ? windows : &no_windows; }

}  // namespace vorlix::platform
