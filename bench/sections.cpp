// SPDX-License-Identifier: MIT
// The benchmark sections.

#include "bench/sections.h"

#include <dirent.h>
#include <gio/gio.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/xdg.h"

namespace vorlix::bench {
namespace {

// HOME and the XDG folders point into a private folder for the whole run, so
// the benchmark never fills the user's trash or settings.
struct PrivateRoot {
  std::string path;
  PrivateRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorlix-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    for (const char* sub : {"home", "config", "data", "runtime", "scratch"}) {
      std::filesystem::create_directory(path + "/" + sub);
    }
    std::filesystem::permissions(path + "/runtime", std::filesystem::perms::owner_all);
    setenv("HOME", (path + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (path + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (path + "/runtime").c_str(), 1);
  }
  ~PrivateRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const PrivateRoot& Root() {
  static PrivateRoot root;
  return root;
}

// Set up before main runs any section.
const PrivateRoot& kRootAtStart = Root();

}  // namespace

std::vector<Section>& Sections() {
  static std::vector<Section> sections;
  return sections;
}

std::string ScratchDir(const std::string& name) {
  const std::string dir = Root().path + "/scratch/" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

void MakeFiles(const std::string& dir, int count) {
  for (int i = 0; i < count; ++i) std::ofstream(dir + "/entry" + std::to_string(i) + ".tmp") << "cache entry";
}

void SettleDisk() {
  std::error_code ignored;
  std::filesystem::remove_all(platform::DataHome() + "/Trash", ignored);
  sync();
}

double BareTrashLoopSeconds(const std::string& dir) {
  return SecondsOf([&] {
    std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(dir.c_str()), closedir);
    while (const dirent* entry = readdir(folder.get())) {
      if (entry->d_type != DT_REG) continue;
      GFile* file = g_file_new_for_path((dir + "/" + entry->d_name).c_str());
      g_file_trash(file, nullptr, nullptr);
      g_object_unref(file);
    }
  });
}

}  // namespace vorlix::bench
