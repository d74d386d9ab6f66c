// SPDX-License-Identifier: MIT
// The toolkit's side of the single-instance guard and of the launcher's owner
// window: the program's top-level widgets as the core's window system, and the
// event-loop service that raises a window when a later copy asks for it.
#pragma once

#include <string>

#include "platform/window_system.h"

class QWidget;

namespace vorlix {

class TPreviousInstance;

// The handle by which the core names a top-level widget.
platform::WindowHandle HandleOf(const QWidget* window);

// Makes the application's top-level widgets the core's window system. Call
// once the application object exists.
void InstallTopLevelWindows();

// The window that stands for the application's own window, which carries the
// title formed from the program file's name: a raise request for that title
// restores or raises it when no window carries the title itself.
void SetApplicationWindow(QWidget* window, const std::string& title);

// Serves the raise requests of later copies while the event loop runs (for a
// first copy; nothing happens for one without a listening socket).
void ServeRaiseRequests(TPreviousInstance& instance);

}  // namespace vorlix
