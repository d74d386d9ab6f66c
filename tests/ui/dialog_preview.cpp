// SPDX-License-Identifier: MIT
// Shows the main window or one of the program's dialogs over sample settings,
// for the pictures in docs/ and the tests under a window manager:
// dialog_preview form1|form2|form4|form5|copydest|browsercaches (the main
// window with its "Find browser caches" dialog open over sample caches). Settings, HOME and the drive
// links lie in a private temporary folder, as in the tests.
#include <QAction>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/drive_paths.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"
#include "tests/common/test_env.h"
#include "ui/application.h"
#include "ui/copy_dialog.h"
#include "ui/main_window.h"
#include "ui/help_about_window.h"
#include "ui/delete_method_dialog.h"
#include "ui/kill_all_dialog.h"

namespace {

// Drive c is the whole file system, as on a first start; a few cache folders
// are stored and ticked, and the last copy went to C:\var.
void PlantSampleSettings() {
  vorlix::platform::EnsureDefaultDrives();
  vorlix::TRegFile store;
  vorlix::BindSettingsStore(store, "TForm1", "RegFile1");
  const char* folders[][2] = {
      {"IE Button 1 Default Folder", "C:\\home\\ann\\.cache\\mozilla\\firefox\\cache2\\entries"},
      {"IE Button 2 Default Folder", "C:\\home\\ann\\.cache\\chromium\\Default\\Cache"},
      {"IE Button 3 Default Folder", "C:\\home\\ann\\.cache\\thumbnails\\large"},
      {"User Button 1 Default Folder", "C:\\home\\ann\\.cache\\pip"},
      {"User Button 2 Default Folder", "C:\\var\\tmp\\build-cache"},
  };
  for (const auto& [name, folder] : folders) store.WriteValue(name, folder);
  for (const char* name : {"Delete all 1 selected", "Delete all 2 selected", "Delete all U1 selected",
                           "Delete IE Typed URLs", "IE 1 Use Recycle", "IE 3 Use Recycle", "User 1 Use Recycle"}) {
    store.WriteValue(name, true);
  }
  // The main window's start folder: a browser cache with a few files.
  const std::string cache = std::string(std::getenv("HOME")) + "/.cache/webbrowser/Cache";
  std::filesystem::create_directories(cache);
  for (const char* name : {"data_0", "data_1", "data_2", "f_0a1f3c.cache", "f_1b2e4d.cache", "f_2c9f00.cache",
                           "f_3d7a12.cache", "f_4e8b21.cache", "f_5f0c9e.cache", "index"}) {
    vorlix::test::WriteFile(cache + "/" + name, "cached");
  }
  store.WriteValue("IE Button 1 Default Folder", vorlix::platform::HostToDos(cache).value_or("C:\\"));
  vorlix::TRegFile copy_store;
  vorlix::BindSettingsStore(copy_store, "TCopyDest", "RegFile1");
  copy_store.WriteValue(std::string(vorlix::kLastCopyToFolderValue), "C:\\var");
}

// A few browsers' caches in the private home folder.
void PlantSampleCaches() {
  const std::string home = std::getenv("HOME");
  const std::pair<const char*, int> folders[] = {
      {"/.cache/mozilla/firefox/k3x9a2.default-release/cache2/entries", 48},
      {"/.cache/chromium/Default/Cache/Cache_Data", 31},
      {"/.cache/chromium/Default/Code Cache/js", 12},
      {"/.cache/google-chrome/Profile 1/Cache/Cache_Data", 20},
      {"/.cache/thumbnails/normal", 64},
      {"/.cache/thumbnails/large", 9},
      {"/.wine/drive_c/users/ann/AppData/Local/Microsoft/Windows/INetCache/IE/K2Q8ZP1C", 5},
  };
  for (const auto& [folder, files] : folders) {
    std::filesystem::create_directories(home + folder);
    for (int i = 0; i < files; ++i) {
      vorlix::test::WriteFile(home + folder + "/f_" + std::to_string(i), std::string(1500 * (i % 37 + 1), 'x'));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
  vorlix::Application app(argc, argv);
  PlantSampleSettings();
  vorlix::ProgramState state;
  const std::string which = argc > 1 ? argv[1] : "form5";
  if (which == "form1" || which == "browsercaches") {
    vorlix::TForm1 form1(state);
    vorlix::TForm2 form2(&form1);
    form1.SetWindows(&form2, nullptr, nullptr, nullptr);
    form1.show();
    form1.activateWindow();
    if (which == "browsercaches") {
      PlantSampleCaches();
      QTimer::singleShot(500, &form1, [&form1] { form1.findChild<QAction*>("FindBrowserCaches1")->trigger(); });
    }
    return app.exec();
  }
  if (which == "form2") {
    vorlix::TForm2 form2;
    form2.show();
    return app.exec();
  }
  if (which == "form4") return vorlix::TForm4(state).exec();
  if (which == "copydest") return vorlix::TCopyDest(state).exec();
  return vorlix::TForm5(state).exec();
}
