// SPDX-License-Identifier: MIT
// Hands files, folders and web addresses to the desktop, which opens each with
// the application the user chose for its type (a folder with the file
// manager). Replaceable, so that tests can record the requests instead of
// starting applications.
#pragma once

#include <string>

namespace vorlix::platform {

class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;

  // Each returns 0 when an application took the request, otherwise a launcher
  // failure code: 2 the file is gone, 5 access denied, 31 no application
  // handles the type or the application could not be started.
  virtual int OpenPath(const std::string& host_path) = 0;
  virtual int OpenUri(const std::string& uri) = 0;
};

// The installed opener; the desktop's own (GIO) when none is installed.
DesktopOpener& CurrentDesktopOpener();
// Installs an opener (nullptr goes back to the desktop's own). The caller keeps
// it alive while it is installed.
void InstallDesktopOpener(DesktopOpener* opener);

}  // namespace vorlix::platform
