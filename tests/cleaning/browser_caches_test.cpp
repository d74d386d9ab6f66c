// SPDX-License-Identifier: MIT
#include "cleaning/browser_caches.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "tests/common/test_env.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::MakeTempDir;
using test::WriteFile;

// browser, profile, folder below the fake home (or the full path), files, bytes, running
using Row = std::tuple<std::string, std::string, std::string, std::uint64_t, std::uint64_t, bool>;

class BrowserCachesTest : public ::testing::Test {
 protected:
  // The fake home is "<users>/ann" beside "<users>/ann2", so that a name that
  // merely begins like the home folder is seen as outside it.
  BrowserCachesTest() : users_(fs::canonical(MakeTempDir("users")).string()), home_(users_ + "/ann") {
    fs::create_directory(home_);
  }

  // Creates a file of `bytes` bytes below the fake home, with its folders.
  void File(const std::string& path, std::size_t bytes = 1) const { Put(home_ + "/" + path, bytes); }
  void Folder(const std::string& path) const { fs::create_directories(home_ + "/" + path); }
  static void Put(const std::string& path, std::size_t bytes) {
    fs::create_directories(fs::path(path).parent_path());
    WriteFile(path, std::string(bytes, 'x'));
  }

  // The rows found, with folders below the fake home given relative to it.
  std::vector<Row> Find(const CacheSearchPlaces& places, const std::vector<platform::RunningProgram>& running) const {
    std::vector<Row> rows;
    for (const FoundCache& found : FindBrowserCaches(places, running)) {
      const std::string folder =
          found.folder.starts_with(home_ + "/") ? found.folder.substr(home_.size() + 1) : found.folder;
      rows.emplace_back(found.browser, found.profile, folder, found.files, found.bytes, found.browser_running);
    }
    return rows;
  }
  std::vector<Row> Find(const std::string& wine_prefix, const std::vector<platform::RunningProgram>& running) const {
    return Find({home_, home_ + "/.cache", wine_prefix}, running);
  }

  std::string users_;
  std::string home_;
};

TEST_F(BrowserCachesTest, EveryLayoutIsFoundWithCountsSizesAndRunningBrowsers) {
  File(".cache/mozilla/firefox/ab12.default-release/cache2/entries/E1", 3);
  File(".cache/mozilla/firefox/ab12.default-release/cache2/entries/E2", 4);
  Folder(".cache/mozilla/firefox/empty.profile/cache2/entries");
  File(".cache/mozilla/firefox/ab12.default-release/cache2/index", 9);  // beside entries: not a cache folder
  File("snap/firefox/common/.cache/mozilla/firefox/sn.default/cache2/entries/E", 5);
  File(".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/cache2/entries/E", 6);
  File(".cache/chromium/Default/Cache/Cache_Data/data_0", 10);
  Folder(".cache/chromium/Default/Cache/Cache_Data/index-dir");  // a subfolder is no file
  File(".cache/chromium/Default/Code Cache/js/aa", 2);
  File(".cache/chromium/Default/Code Cache/js/index-dir/the-real-index", 50);
  Folder(".cache/chromium/Default/Code Cache/wasm");
  File(".cache/google-chrome/Profile 1/Cache/Cache_Data/f", 1);
  File(".cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data/f", 1);
  File(".cache/microsoft-edge/Default/Code Cache/webui_js/f", 1);
  File(".cache/vivaldi/Default/Cache/Cache_Data/f", 1);
  File(".cache/opera/Cache/Cache_Data/f", 1);
  File(".cache/thumbnails/normal/a.png", 7);
  File(".cache/thumbnails/fail/gnome-thumbnail-factory/b.png", 7);  // two levels down: not listed
  File(".wine/drive_c/users/ann/AppData/Local/Microsoft/Windows/INetCache/IE/ABCD1234/p.htm", 8);
  const std::string prefix = fs::canonical(MakeTempDir("prefix")).string();  // outside the home folder
  const std::string ie5 = prefix + "/drive_c/users/bob/Local Settings/Temporary Internet Files/Content.IE5/XY";
  Put(ie5 + "/q.gif", 11);

  // Links: those leading out of a browser's own places are never followed,
  // one from place to place in the home folder is, and a row names the real
  // folder. A link to the home folder or to "/" is never listed itself.
  Put(users_ + "/ann2/Default/Cache/Cache_Data/secret", 1);
  fs::create_directory_symlink(users_ + "/ann2", home_ + "/.cache/google-chrome-beta");
  Put(prefix + "/Default/Cache/Cache_Data/in-prefix", 1);
  fs::create_directory_symlink(prefix, home_ + "/.cache/google-chrome-unstable");
  Put(prefix + "/system.reg", 1);
  fs::create_directory_symlink(prefix, fs::path(ie5).parent_path() / "OUT");
  File("Downloads/d.htm");
  fs::create_directory_symlink(home_ + "/Downloads", fs::path(ie5).parent_path() / "DL");
  File("elsewhere/Default/Cache/Cache_Data/f", 12);
  fs::create_directory_symlink(home_ + "/elsewhere", home_ + "/.cache/microsoft-edge-beta");
  File("profiles/moved/cache2/entries/E", 13);
  Folder(".mozilla/firefox");
  fs::create_directory_symlink(home_ + "/profiles/moved", home_ + "/.mozilla/firefox/moved.default");
  File("notes.txt");
  fs::create_directory_symlink(home_, home_ + "/.cache/thumbnails/home");
  fs::create_directory_symlink("/", home_ + "/.cache/thumbnails/root");

  const std::vector<Row> expected = {
      {"Firefox", "ab12.default-release", ".cache/mozilla/firefox/ab12.default-release/cache2/entries", 2, 7, true},
      {"Firefox", "moved.default", "profiles/moved/cache2/entries", 1, 13, true},
      {"Firefox (Snap)", "sn.default", "snap/firefox/common/.cache/mozilla/firefox/sn.default/cache2/entries", 1, 5,
       true},
      {"Firefox (Flatpak)", "fp.default",
       ".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/cache2/entries", 1, 6, true},
      {"Chromium", "Default", ".cache/chromium/Default/Cache/Cache_Data", 1, 10, false},
      {"Chromium", "Default", ".cache/chromium/Default/Code Cache/js", 1, 2, false},
      {"Google Chrome", "Profile 1", ".cache/google-chrome/Profile 1/Cache/Cache_Data", 1, 1, false},
      {"Brave", "Default", ".cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data", 1, 1, false},
      {"Microsoft Edge", "Default", ".cache/microsoft-edge/Default/Code Cache/webui_js", 1, 1, false},
      {"Microsoft Edge", "Default", "elsewhere/Default/Cache/Cache_Data", 1, 12, false},
      {"Vivaldi", "Default", ".cache/vivaldi/Default/Cache/Cache_Data", 1, 1, false},
      {"Opera", "Default", ".cache/opera/Cache/Cache_Data", 1, 1, false},
      {"Thumbnails", "normal", ".cache/thumbnails/normal", 1, 7, false},
      {"Internet Explorer (Wine)", "ann",
       ".wine/drive_c/users/ann/AppData/Local/Microsoft/Windows/INetCache/IE/ABCD1234", 1, 8, true},
      {"Internet Explorer (Wine)", "bob", ie5, 1, 11, true},
  };
  const std::vector<platform::RunningProgram> running = {{"/usr/lib/firefox/firefox", "firefox"},
                                                         {"/usr/bin/wine64-preloader", "iexplore.exe"},
                                                         {"/usr/bin/bash", "bash"}};
  EXPECT_EQ(Find(prefix, running), expected);

  // The default prefix named again through $WINEPREFIX is listed once; nothing runs.
  const std::vector<Row> rows = Find(home_ + "/.wine", {});
  EXPECT_EQ(rows.size(), expected.size() - 1);
  for (const Row& row : rows) EXPECT_FALSE(std::get<5>(row)) << std::get<2>(row);
  // "/" as the prefix, or as the home folder, opens nothing outside the home folder.
  EXPECT_EQ(Find("/", {}), rows);
  for (const Row& row : Find({"/", home_ + "/.cache", ""}, {})) EXPECT_FALSE(std::get<2>(row).starts_with("/"));
}

TEST_F(BrowserCachesTest, ACacheFolderOutsideTheHomeFolderIsSearchedAsTheBrowsersOwnPlace) {
  const std::string cache = fs::canonical(MakeTempDir("cache")).string();
  Put(cache + "/chromium/Default/Cache/Cache_Data/f", 2);
  Put(cache + "/thumbnails/normal/t.png", 3);
  File(".mozilla/firefox/p/cache2/entries/E", 4);
  Put(cache + "/moved/cache2/entries/E", 5);
  fs::create_directory_symlink(cache + "/moved", home_ + "/.mozilla/firefox/q");

  const std::vector<Row> expected = {
      {"Firefox", "p", ".mozilla/firefox/p/cache2/entries", 1, 4, false},
      {"Firefox", "q", cache + "/moved/cache2/entries", 1, 5, false},
      {"Chromium", "Default", cache + "/chromium/Default/Cache/Cache_Data", 1, 2, false},
      {"Thumbnails", "normal", cache + "/thumbnails/normal", 1, 3, false},
  };
  EXPECT_EQ(Find({home_, cache, ""}, {}), expected);
}

}  // namespace
}  // namespace vorlix
