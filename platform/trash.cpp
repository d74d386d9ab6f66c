// SPDX-License-Identifier: MIT

#include "platform/trash.h"

#include <gio/gio.h>

namespace vorlix::platform {

bool MoveToTrash(const std::string& host_path) {
  GFile* file = g_file_new_for_path(host_path.c_str());
  GError* error = nullptr;
  const gboolean moved = g_file_trash(file, nullptr, &error);
  if (error != nullptr) g_error_free(error);
  g_object_unref(file);
  return moved != FALSE;
}

}  // namespace vorlix::platform
