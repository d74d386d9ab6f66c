// SPDX-License-Identifier: MIT
// The bare baseline for moving a folder's files into the trash: one
// g_file_trash call per regular file, nothing else. Used by
// scripts/bench-clean.py.
#include <dirent.h>
#include <gio/gio.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gio-trash-loop FOLDER\n");
    return 2;
  }
  DIR* folder = opendir(argv[1]);
  if (folder == nullptr) return 1;
  int failed = 0;
  while (const dirent* entry = readdir(folder)) {
    if (entry->d_type != DT_REG) continue;
    const std::string path = std::string(argv[1]) + "/" + entry->d_name;
    GFile* file = g_file_new_for_path(path.c_str());
    if (!g_file_trash(file, nullptr, nullptr)) ++failed;
    g_object_unref(file);
  }
  closedir(folder);
  return failed == 0 ? 0 : 1;
}
