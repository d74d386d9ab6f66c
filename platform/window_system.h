// SPDX-License-Identifier: MIT
// The program's own top-level windows, as the window toolkit sees them. The
// core asks through this interface whether a handle names a window and finds,
// renames and raises windows by title; the user interface installs the
// toolkit's implementation at start-up. Until then no window exists.
#pragma once

#include <cstdint>
#include <string>

namespace vorlix::platform {

// A window handle; 0 names no window.
using WindowHandle = std::uintptr_t;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual bool IsWindow(WindowHandle window) const = 0;
  // The first top-level window whose title equals `title`; 0 when none does.
  virtual WindowHandle FindWindow(const std::string& title) const = 0;
  virtual void SetWindowTitle(WindowHandle window, const std::string& title) = 0;
  virtual bool IsMinimized(WindowHandle window) const = 0;
  // Shows a minimised window again at its earlier size and place.
  virtual void Restore(WindowHandle window) = 0;
  // Puts the window on top of the others and activates it.
  virtual void BringToTop(WindowHandle window) = 0;
};

// The installed window system; one without windows when none is installed.
WindowSystem& CurrentWindowSystem();
// Installs a window system (nullptr goes back to the one without windows).
// The caller keeps it alive while it is installed.
void InstallWindowSystem(WindowSystem* windows);

}  // namespace vorlix::platform
