// SPDX-License-Identifier: MIT
// The folders the benchmark works in.

#include "bench/scratch.h"

#include <dirent.h>
#include <gio/gio.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/xdg.h"

namespace vorlix::bench {
namespace {

namespace fs = std::filesystem;

std::string MakeTempDir(const std::string& parent) {
  std::string pattern = parent + "/vorlix-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror(("vorlix-bench: cannot make a folder in " + parent).c_str());
    std::exit(1);
  }
  return pattern;
}

// The disk named for the benchmark (scripts/bench-report.py mounts a
// journalled ext4 and names it in VORLIX_BENCH_DISK); empty when none is.
std::string NamedDisk() {
  const char* disk = std::getenv("VORLIX_BENCH_DISK");
  return disk != nullptr ? disk : "";
}

struct PrivateRoot {
  std::string path;
  std::string places[2];  // made when first asked for
  // On the named disk when there is one, so that the home trash is the one
  // that serves the disk's folders, as /tmp's serves /var/tmp's.
  PrivateRoot() : path(MakeTempDir(NamedDisk().empty() ? fs::temp_directory_path().string() : NamedDisk())) {
    for (const char* sub : {"home", "config", "data", "runtime", "scratch"}) fs::create_directory(path + "/" + sub);
    fs::permissions(path + "/runtime", fs::perms::owner_all);
    setenv("HOME", (path + "/home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (path + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (path + "/runtime").c_str(), 1);
  }
  ~PrivateRoot() {
    std::error_code ignored;
    for (const std::string& place : places) {
      if (!place.empty()) fs::remove_all(place, ignored);
    }
    fs::remove_all(path, ignored);
  }
};

PrivateRoot& Root() {
  static PrivateRoot root;
  return root;
}

// Set up before main runs any section.
const PrivateRoot& kRootAtStart = Root();

std::string Fresh(const std::string& dir) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

const char* PlaceName(Place place) { return place == Place::kTmpfs ? "tmpfs" : "disk"; }

std::string ScratchDir(const std::string& name) { return Fresh(Root().path + "/scratch/" + name); }

std::string ScratchDir(Place place, const std::string& name) {
  std::string& base = Root().places[static_cast<int>(place)];
  if (base.empty()) base = MakeTempDir(place == Place::kTmpfs   ? "/dev/shm"
                                     : NamedDisk().empty() ? "/var/tmp"
                                                           : NamedDisk());
  return Fresh(base + "/" + name);
}

const char* SizesName(FileSizes sizes) { return sizes == FileSizes::kTiny ? "11 B" : "1 B–64 KiB"; }

void MakeFiles(const std::string& dir, int count, FileSizes sizes) {
  static const std::vector<char> block(64 * 1024, 'x');
  for (int i = 0; i < count; ++i) {
    std::ofstream file(dir + "/entry" + std::to_string(i) + ".tmp", std::ios::binary);
    if (sizes == FileSizes::kTiny) {
      file << "cache entry";
    } else {
      const std::uint32_t size = 1 + static_cast<std::uint32_t>(i) * 2654435761u % block.size();
      file.write(block.data(), size);
    }
    if (!file) {
      std::perror(("vorlix-bench: cannot fill " + dir).c_str());
      std::exit(1);
    }
  }
}

std::size_t EntriesIn(const std::string& dir) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++count;
  return count;
}

void SettleDisk() {
  std::error_code ignored;
  fs::remove_all(platform::DataHome() + "/Trash", ignored);
  sync();
}

void BareTrashLoop(const std::string& dir) {
  std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(dir.c_str()), closedir);
  while (const dirent* entry = readdir(folder.get())) {
    if (entry->d_type != DT_REG) continue;
    GFile* file = g_file_new_for_path((dir + "/" + entry->d_name).c_str());
    g_file_trash(file, nullptr, nullptr);
    g_object_unref(file);
  }
}

}  // namespace vorlix::bench
