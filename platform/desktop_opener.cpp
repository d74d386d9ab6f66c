// SPDX-License-Identifier: MIT
// Hands files, folders and web addresses to the desktop, which opens each with the application the
// user chose for its type (a folder with the file manager).

#include "platform/desktop_opener.h"

#include <gio/gio.h>

namespace vorlix::platform {
namespace {

int LaunchDefaultFor(const char* uri) {
  GError* error = nullptr;
  int code = 0;
  if (!g_app_info_launch_default_for_uri(uri, nullptr, &error)) {
    code = 31;
    if (error != nullptr && error->domain == G_IO_ERROR) {
      if (error->code == G_IO_ERROR_NOT_FOUND) code = 2;
      if (error->code == G_IO_ERROR_PERMISSION_DENIED) code = 5;
    }
  }
  if (error != nullptr) g_error_free(error);
  return code;
}

class GioOpener final : public DesktopOpener {
 public:
  int OpenPath(const std::string& host_path) override {
    GFile* file = g_file_new_for_path(host_path.c_str());
    char* uri = g_file_get_uri(file);
    const int code = LaunchDefaultFor(uri);
    g_free(uri);
    g_object_unref(file);
    return code;
  }
  int OpenUri(const std::string& uri) override { return LaunchDefaultFor(uri.c_str()); }
};

GioOpener gio_opener;
DesktopOpener* installed = &gio_opener;

}  // namespace

DesktopOpener& CurrentDesktopOpener() { return *installed; }

void InstallDesktopOpener(DesktopOpener* opener) { installed = opener != nullptr ? opener : &gio_opener; }

}  // namespace vorlix::platform
