// SPDX-License-Identifier: MIT
#include "tests/cleaning/fake_browser_home.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/processes.h"
#include "tests/common/test_env.h"

namespace vorlix::test {
namespace {

namespace fs = std::filesystem;

class Builder {
 public:
  explicit Builder(FakeBrowserHome& home) : home_(home) {}

  // A cache folder holding `files` names (paths below it).
  void Cache(const std::string& folder, const std::vector<std::string>& files, bool running = false) {
    for (const std::string& file : files) Put(folder + "/" + file);
    fs::create_directories(home_.home + "/" + folder);
    home_.cache_folders.push_back(home_.home + "/" + folder);
    if (running) home_.running_folders.push_back(home_.home + "/" + folder);
  }
  // A profile file that is no cache.
  void Kept(const std::string& file) {
    Put(file);
    home_.kept_files.push_back(home_.home + "/" + file);
  }
  void Put(const std::string& file) const {
    const fs::path path = home_.home + "/" + file;
    fs::create_directories(path.parent_path());
    WriteFile(path.string(), "content of " + file);
  }
  void Link(const std::string& target, const std::string& link) const {
    fs::create_symlink(target, home_.home + "/" + link);
  }

 private:
  FakeBrowserHome& home_;
};

void Chromium(Builder& b, const std::string& config, const std::string& cache, const std::string& profile,
              bool running) {
  for (const char* kept : {"Preferences", "Cookies", "History", "Login Data", "Local Storage/leveldb/000003.log",
                           "IndexedDB/https_x.indexeddb.leveldb/LOG", "Service Worker/Database/LOG",
                           "Service Worker/CacheStorage/c/index"}) {
    b.Kept(config + "/" + profile + "/" + kept);
  }
  for (const char* folder : {"GPUCache", "DawnGraphiteCache", "DawnWebGPUCache"}) {
    b.Cache(config + "/" + profile + "/" + folder, {"data_0", "index"}, running);
  }
  b.Cache(config + "/" + profile + "/Service Worker/ScriptCache", {"index", "index-dir/the-real-index"}, running);
  b.Cache(cache + "/" + profile + "/Cache/Cache_Data", {"data_0", "f_000001", "index-dir/the-real-index"}, running);
  b.Cache(cache + "/" + profile + "/Cache/No_Vary_Search", {"journal.baj"}, running);
  b.Cache(cache + "/" + profile + "/Code Cache", {"js/index", "js/index-dir/the-real-index", "wasm/index",
                                                  "webui_js/index"}, running);
}

}  // namespace

FakeBrowserHome MakeFakeBrowserHome() {
  FakeBrowserHome home;
  home.home = fs::canonical(MakeTempDir("browser-home")).string();
  const std::string outside = fs::canonical(MakeTempDir("outside")).string();
  Builder b(home);

  // Firefox: one profile below the profiles folder (a stale lock of a process
  // gone, an unlocked .parentlock), one elsewhere in the home folder, and two
  // listed outside every place, which are refused. The list ends with a
  // profile's last line, without a line break.
  const std::string mozilla = ".mozilla/firefox";
  b.Kept(mozilla + "/profiles.ini");
  WriteFile(home.home + "/" + mozilla + "/profiles.ini",
            "[General]\nVersion=2\n\n[Install4F96D1932A9F858E]\nDefault=ab12.default-release\n\n"
            "[Profile0]\nName=default-release\nIsRelative=1\nPath=ab12.default-release\n\n"
            "[Profile2]\nName=stray\nIsRelative=0\nPath=" + outside + "/stray\n\n"
            "[Profile3]\nName=root\nIsRelative=0\nPath=/\n\n"
            "[Profile1]\nName=work\nIsRelative=0\nPath=" + home.home + "/Work/ff");
  for (const char* kept : {"places.sqlite", "cookies.sqlite", "prefs.js", "sessionstore.jsonlz4", ".parentlock",
                           "storage/default/https+++x/ls/data.sqlite"}) {
    b.Kept(mozilla + "/ab12.default-release/" + kept);
  }
  b.Link("127.0.1.1:+2147483646", mozilla + "/ab12.default-release/lock");
  const std::string ff_cache = ".cache/mozilla/firefox/ab12.default-release";
  b.Kept(ff_cache + "/cache2/index");
  b.Cache(ff_cache + "/cache2/entries", {"0A1B", "0C2D"});
  b.Cache(ff_cache + "/cache2/doomed", {"1"});
  b.Cache(ff_cache + "/cache2/trash12345", {"0E3F"});
  b.Cache(ff_cache + "/startupCache", {"startupCache.8.little"});
  b.Cache(ff_cache + "/thumbnails", {"a.png"});
  b.Kept(ff_cache + "/safebrowsing/google4/goog-phish-proto.vlpset");
  for (const char* kept : {"places.sqlite", "prefs.js"}) b.Kept(std::string("Work/ff/") + kept);
  b.Cache("Work/ff/cache2/entries", {"0A1B"});
  b.Cache("Work/ff/startupCache", {"startupCache.8.little"});
  fs::create_directories(outside + "/stray/cache2/entries");
  WriteFile(outside + "/stray/cache2/entries/E", "outside");

  // Chromium runs: its lock names this host and this live process.
  Chromium(b, ".config/chromium", ".cache/chromium", "Default", true);
  Chromium(b, ".config/chromium", ".cache/chromium", "Profile 1", true);
  b.Kept(".config/chromium/Local State");
  b.Cache(".config/chromium/GrShaderCache", {"data_0"}, true);
  b.Cache(".config/chromium/ShaderCache", {"data_0"}, true);
  b.Link(platform::HostName() + "-" + std::to_string(getpid()), ".config/chromium/SingletonLock");

  // A Flatpak Chrome left a lock on this host by a process that is gone.
  Chromium(b, ".var/app/com.google.Chrome/config/google-chrome", ".var/app/com.google.Chrome/cache/google-chrome",
           "Default", false);
  b.Link(platform::HostName() + "-2147483646", ".var/app/com.google.Chrome/config/google-chrome/SingletonLock");

  b.Cache(".cache/thumbnails/normal", {"a.png"});
  b.Cache(".cache/thumbnails/large", {"b.png"});
  b.Cache(".cache/thumbnails/fail", {"gnome-thumbnail-factory/c.png"});

  std::sort(home.cache_folders.begin(), home.cache_folders.end());
  std::sort(home.running_folders.begin(), home.running_folders.end());
  return home;
}

}  // namespace vorlix::test
