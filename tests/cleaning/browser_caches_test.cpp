// SPDX-License-Identifier: MIT
#include "cleaning/browser_caches.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cleaning/browser_cache_table.h"
#include "cleaning/browser_locks.h"
#include "cleaning/search_places.h"
#include "tests/cleaning/fake_browser_home.h"
#include "tests/common/test_env.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::MakeTempDir;
using test::WriteFile;

// browser, profile, folders below the fake home (or full paths), files, bytes, running
using Row = std::tuple<std::string, std::string, std::vector<std::string>, std::uint64_t, std::uint64_t, bool>;

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
    for (const CacheSet& set : FindBrowserCaches(places, running)) {
      std::vector<std::string> folders;
      for (const CacheFolder& cache : set.folders) {
        const std::string& folder = cache.folder;
        folders.push_back(folder.starts_with(home_ + "/") ? folder.substr(home_.size() + 1) : folder);
      }
      rows.emplace_back(set.browser, set.profile, folders, set.files, set.bytes, set.browser_running);
    }
    return rows;
  }
  std::vector<Row> Find(const std::string& wine_prefix, const std::vector<platform::RunningProgram>& running) const {
    return Find({home_, home_ + "/.cache", wine_prefix, home_ + "/.config"}, running);
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

  // Links: a browser's own folder may be reached through a link inside its
  // places, and a row names the real folder; one leading out of them is
  // named and left alone, and so is a link below a browser's own folder (a
  // profile folder). A link to the home folder or to "/" is never listed.
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

  // Links inside a whole cache folder count as files and are never followed.
  const std::uint64_t ie5_links = prefix.size() + (home_ + "/Downloads").size();
  const std::vector<Row> expected = {
      {"Firefox", "ab12.default-release", {".cache/mozilla/firefox/ab12.default-release/cache2/entries"}, 2, 7, false},
      {"Firefox", "moved.default", {}, 0, 0, false},
      {"Firefox (Snap)", "sn.default", {"snap/firefox/common/.cache/mozilla/firefox/sn.default/cache2/entries"}, 1, 5,
       false},
      {"Firefox (Flatpak)", "fp.default",
       {".var/app/org.mozilla.firefox/cache/mozilla/firefox/fp.default/cache2/entries"}, 1, 6, false},
      {"Chromium", "Default", {".cache/chromium/Default/Cache/Cache_Data", ".cache/chromium/Default/Code Cache"}, 3,
       62, false},
      {"Google Chrome", "Profile 1", {".cache/google-chrome/Profile 1/Cache/Cache_Data"}, 1, 1, false},
      {"Google Chrome Beta", "", {}, 0, 0, false},
      {"Google Chrome Unstable", "", {}, 0, 0, false},
      {"Brave", "Default", {".cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data"}, 1, 1, false},
      {"Microsoft Edge", "Default", {".cache/microsoft-edge/Default/Code Cache"}, 1, 1, false},
      {"Microsoft Edge Beta", "Default", {"elsewhere/Default/Cache/Cache_Data"}, 1, 12, false},
      {"Vivaldi", "Default", {".cache/vivaldi/Default/Cache/Cache_Data"}, 1, 1, false},
      {"Opera", "Default", {".cache/opera/Cache/Cache_Data"}, 1, 1, false},
      {"Thumbnails", "", {".cache/thumbnails/normal", ".cache/thumbnails/fail"}, 2, 14, false},
      {"Internet Explorer (Wine)", "ann", {".wine/drive_c/users/ann/AppData/Local/Microsoft/Windows/INetCache/IE"}, 1,
       8, true},
      {"Internet Explorer (Wine)", "bob", {fs::path(ie5).parent_path().string()}, 3, 11 + ie5_links, true},
  };
  const std::vector<platform::RunningProgram> running = {{"/usr/lib/firefox/firefox", "firefox"},
                                                         {"/usr/bin/wine64-preloader", "iexplore.exe"},
                                                         {"/usr/bin/bash", "bash"}};
  EXPECT_EQ(Find(prefix, running), expected);
  // Only the files directly in a folder count for a user button; those deeper do not.
  for (const CacheSet& set : FindBrowserCaches({home_, home_ + "/.cache", prefix, home_ + "/.config"}, {})) {
    if (set.browser != "Chromium") continue;
    ASSERT_EQ(set.folders.size(), 2u);
    EXPECT_EQ(set.folders[0].direct.files, 1u);
    EXPECT_EQ(set.folders[0].direct.bytes, 10u);
    EXPECT_EQ(set.folders[1].direct.files, 0u);
    EXPECT_EQ(ButtonFolder(set), &set.folders[0]);
  }

  // The default prefix named again through $WINEPREFIX is listed once; nothing runs.
  const std::vector<Row> rows = Find(home_ + "/.wine", {});
  EXPECT_EQ(rows.size(), expected.size() - 1);
  for (const Row& row : rows) EXPECT_FALSE(std::get<5>(row)) << std::get<0>(row) << " " << std::get<1>(row);
  // "/" as the prefix, or as the home folder, opens nothing outside the home folder.
  EXPECT_EQ(Find("/", {}), rows);
  for (const Row& row : Find({"/", home_ + "/.cache", "", ""}, {})) {
    for (const std::string& folder : std::get<2>(row)) EXPECT_FALSE(folder.starts_with("/")) << folder;
  }
}

TEST_F(BrowserCachesTest, ACacheFolderOutsideTheHomeFolderIsSearchedAsTheBrowsersOwnPlace) {
  const std::string cache = fs::canonical(MakeTempDir("cache")).string();
  Put(cache + "/chromium/Default/Cache/Cache_Data/f", 2);
  Put(cache + "/thumbnails/normal/t.png", 3);
  File(".mozilla/firefox/p/cache2/entries/E", 4);
  Put(cache + "/moved/cache2/entries/E", 5);
  fs::create_directory_symlink(cache + "/moved", home_ + "/.mozilla/firefox/q");

  const std::vector<Row> expected = {
      {"Firefox", "p", {".mozilla/firefox/p/cache2/entries"}, 1, 4, false},
      {"Firefox", "q", {}, 0, 0, false},  // a profile folder that is a link: named, left alone
      {"Chromium", "Default", {cache + "/chromium/Default/Cache/Cache_Data"}, 1, 2, false},
      {"Thumbnails", "", {cache + "/thumbnails/normal"}, 1, 3, false},
  };
  EXPECT_EQ(Find({home_, cache, "", ""}, {}), expected);
}

TEST(BrowserCacheTableTest, EveryCacheFolderIsBelowAProfileAndNoneHoldsWhatTheUserKeeps) {
  // Names of profile data that no cleaning may reach, anywhere in a path.
  const std::vector<std::string_view> kept = {
      "Cookies", "cookies.sqlite", "History", "places.sqlite", "Preferences", "prefs.js", "Local Storage",
      "Session Storage", "IndexedDB", "storage", "sessionstore.jsonlz4", "sessionstore-backups", "Login Data",
      "logins.json", "key4.db", "CacheStorage", "Database", "Local State", "safebrowsing"};
  const auto check = [&](std::string_view cache) {
    SCOPED_TRACE(std::string(cache));
    ASSERT_FALSE(cache.empty());
    EXPECT_FALSE(cache.starts_with('/'));
    std::size_t start = 0;
    while (start <= cache.size()) {
      const std::size_t end = std::min(cache.find('/', start), cache.size());
      const std::string_view part = cache.substr(start, end - start);
      EXPECT_TRUE(!part.empty() && part != "." && part != ".." && part != "*");
      EXPECT_EQ(std::find(kept.begin(), kept.end(), part), kept.end());
      start = end + 1;
    }
  };
  for (const BrowserRow& browser : BrowserTable()) {
    SCOPED_TRACE(std::string(browser.name));
    EXPECT_FALSE(ProfileCacheFolders(browser.family).empty());
    for (std::string_view cache : ProfileCacheFolders(browser.family)) check(cache);
    for (std::string_view cache : SharedCacheFolders(browser.family)) check(cache);
  }
}

TEST(BrowserCachesFakeHomeTest, EveryCacheFolderAndNothingElseIsFoundWithTheRunningBrowserMarked) {
  const test::FakeBrowserHome home = test::MakeFakeBrowserHome();
  std::vector<std::string> folders;
  std::vector<std::string> running;
  for (const CacheSet& set : FindBrowserCaches(home.Places(), {})) {
    std::uint64_t files = 0;
    for (const CacheFolder& cache : set.folders) {
      folders.push_back(cache.folder);
      if (set.browser_running) running.push_back(cache.folder);
      files += cache.whole.files;
    }
    EXPECT_EQ(set.files, files) << set.browser << " " << set.profile;
  }
  std::sort(folders.begin(), folders.end());
  std::sort(running.begin(), running.end());
  EXPECT_EQ(folders, home.cache_folders);
  EXPECT_EQ(running, home.running_folders);
  for (const std::string& file : home.kept_files) {
    for (const std::string& folder : folders) EXPECT_FALSE(IsInsideFolder(file, folder)) << file;
  }
}

TEST_F(BrowserCachesTest, ALinkOrAForeignProfileOnTheWayIsNamedAndNothingBeyondItIsListed) {
  File("Documents/letter");
  File("projects/cache2/entries/source.c");
  File("cache2/entries/in-home");
  File("Work/ff/prefs.js");
  File("Work/ff/cache2/entries/E", 2);
  Folder(".mozilla/firefox/p");
  Folder(".cache/mozilla/firefox/p/cache2");
  Folder(".config/chromium/Default");
  Folder(".cache/thumbnails");
  const std::string docs = home_ + "/Documents";
  fs::create_directory_symlink(docs, home_ + "/.cache/mozilla/firefox/p/cache2/entries");
  fs::create_directory_symlink(docs, home_ + "/.mozilla/firefox/p/startupCache");
  fs::create_directory_symlink(home_ + "/projects", home_ + "/.mozilla/firefox/q");
  fs::create_directory_symlink(docs, home_ + "/.config/chromium/Default/Code Cache");
  fs::create_directory_symlink(docs, home_ + "/.cache/thumbnails/normal");
  test::WriteFile(home_ + "/.mozilla/firefox/profiles.ini",
                  "[Profile0]\nIsRelative=0\nPath=" + home_ + "\n[Profile1]\nIsRelative=1\nPath=../../Documents\n"
                  "[Profile2]\nIsRelative=0\nPath=" + home_ + "/projects\n[Profile3]\nIsRelative=0\nPath=" +
                      home_ + "/Work/ff\n");

  std::vector<std::string> folders;
  std::vector<std::string> named;
  for (const CacheSet& set : FindBrowserCaches({home_, home_ + "/.cache", "", home_ + "/.config"}, {})) {
    for (const CacheFolder& cache : set.folders) folders.push_back(cache.folder);
    for (const LeftAloneFolder& left : set.left_alone) named.push_back(LeftAloneText(left));
  }
  EXPECT_EQ(folders, std::vector<std::string>{home_ + "/Work/ff/cache2/entries"});
  std::sort(named.begin(), named.end());
  const std::string ini = " is named in profiles.ini but is ";
  std::vector<std::string> expected = {
      home_ + "/.cache/mozilla/firefox/p/cache2/entries is a link to " + docs + ": left alone",
      home_ + "/.cache/thumbnails/normal is a link to " + docs + ": left alone",
      home_ + "/.config/chromium/Default/Code Cache is a link to " + docs + ": left alone",
      home_ + "/.mozilla/firefox/../../Documents is named in profiles.ini but leads out of the profiles folder: "
              "left alone",
      home_ + "/.mozilla/firefox/p/startupCache is a link to " + docs + ": left alone",
      home_ + "/.mozilla/firefox/q is a link to " + home_ + "/projects: left alone",
      home_ + ini + "a folder that holds a place the browsers keep their folders in: left alone",
      home_ + "/projects" + ini + "no profile: it holds no prefs.js, times.json or compatibility.ini: left alone",
  };
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(named, expected);
}

TEST_F(BrowserCachesTest, AProfileRunningInEitherLayoutKeepsTheCacheFolderBothLayoutsShare) {
  Folder(".mozilla/firefox/r");
  File(".config/mozilla/firefox/r/prefs.js");
  File(".cache/mozilla/firefox/r/cache2/entries/E");
  fs::create_symlink("127.0.1.1:+" + std::to_string(getpid()), home_ + "/.config/mozilla/firefox/r/lock");
  const std::vector<Row> expected = {{"Firefox", "r", {".cache/mozilla/firefox/r/cache2/entries"}, 1, 1, true}};
  EXPECT_EQ(Find({home_, home_ + "/.cache", "", home_ + "/.config"}, {}), expected);
}

TEST_F(BrowserCachesTest, AProfileIsInUseOnlyWhileItsLockNamesALiveProcessOrIsHeld) {
  const std::string firefox = home_ + "/ff";
  Folder("ff");
  fs::create_symlink("127.0.1.1:+2147483646", firefox + "/lock");
  File("ff/.parentlock");
  EXPECT_FALSE(MozillaProfileInUse(firefox));
  const int fd = open((firefox + "/.parentlock").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(fcntl(fd, F_SETLK, &lock), 0);
  EXPECT_TRUE(MozillaProfileInUse(firefox));
  close(fd);
  EXPECT_FALSE(MozillaProfileInUse(firefox));
  fs::remove(firefox + "/lock");
  fs::create_symlink("127.0.1.1:+" + std::to_string(getpid()), firefox + "/lock");
  EXPECT_TRUE(MozillaProfileInUse(firefox));

  // A Chromium lock of another host may be live there (one of this host is
  // checked in the fake home).
  Folder("ch");
  fs::create_symlink("other-host-2147483646", home_ + "/ch/SingletonLock");
  EXPECT_TRUE(ChromiumProfileInUse(home_ + "/ch"));
}

}  // namespace
}  // namespace vorlix
