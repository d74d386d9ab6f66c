// SPDX-License-Identifier: MIT
// Vorlix: start-up. The program's modules are set up first, then the
// application object and its windows; the event loop runs until the main
// window closes.
#include <cstdio>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/display_guard.h"
#include "platform/drive_paths.h"
#include "platform/start_in_folder.h"
#include "platform/xdg.h"
#include "actions/program_state.h"
#include "support/single_instance.h"
#include "ui/application.h"
#include "ui/copy_dialog.h"
#include "ui/main_window.h"
#include "ui/help_about_window.h"
#include "ui/delete_method_dialog.h"
#include "ui/kill_all_dialog.h"
#include "ui/top_level_windows.h"

int main(int argc, char** argv) {
  if (const std::optional<int> exit_code = vorlix::HandleCommandLine(argc, argv, std::cout, std::cerr)) {
    return *exit_code;
  }
  vorlix::TPreviousInstance& instance = vorlix::TPreviousInstance::Check(argv[0]);
  if (!vorlix::platform::EnterStartInFolder()) {
    std::fprintf(stderr, "vorlix: cannot enter the cache folder %s\n", vorlix::platform::CacheHome().c_str());
  }
  if (!vorlix::platform::EnsureDefaultDrives()) {
    std::fprintf(stderr, "vorlix: cannot create the drive folder %s\n", vorlix::platform::DosDevicesDir().c_str());
  }
  std::optional<vorlix::DisplayGuard> display_guard(std::in_place);
  vorlix::Application app(argc, argv);
  display_guard.reset();
  app.setQuitOnLastWindowClosed(false);
  vorlix::InstallTopLevelWindows();
  vorlix::ServeRaiseRequests(instance);
  vorlix::ProgramState state;
  vorlix::TForm1 form1(state);  // a second copy of the program ends here
  vorlix::SetApplicationWindow(&form1, instance.WindowTitle());
  vorlix::TForm2 form2(&form1);
  vorlix::TForm4 form4(state, &form1);
  vorlix::TForm5 form5(state, &form1);
  vorlix::TCopyDest copy_dest(state, &form1);
  form1.SetWindows(&form2, &form4, &form5, &copy_dest);
  form1.show();
  form1.activateWindow();
  return app.exec();
}
