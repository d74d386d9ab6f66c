// Vorlix: start-up. The program's modules are set up first, then the
// application object and its windows; the event loop runs until the main
// window closes.
#include <cstdio>

#include "platform/drive_paths.h"
#include "settings/program_state.h"
#include "ui/application.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "ui/form5.h"

int main(int argc, char** argv) {
  if (!vorlix::platform::EnsureDefaultDrives()) {
    std::fprintf(stderr, "vorlix: cannot create the drive folder %s\n", vorlix::platform::DosDevicesDir().c_str());
  }
  vorlix::Application app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  vorlix::ProgramState state;
  vorlix::TForm1 form1(state);
  vorlix::TForm4 form4(state, &form1);
  vorlix::TForm5 form5(state, &form1);
  form1.SetWindows(nullptr, &form4, &form5, nullptr);
  form1.show();
  form1.activateWindow();
  return app.exec();
}
