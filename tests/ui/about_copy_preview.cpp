// Shows the Help and About window or the copy dialog over sample settings, for
// the pictures in docs/: about_copy_preview form2|copydest. Settings, HOME and
// the drive links lie in a private temporary folder, as in the tests.
#include <cstring>

#include "platform/drive_paths.h"
#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"
#include "tests/common/test_env.h"
#include "ui/application.h"
#include "ui/copy_dest.h"
#include "ui/form2.h"

namespace {

// Drive c is the whole file system, as on a first start; the last copy went to C:\var.
void PlantSampleSettings() {
  vorlix::platform::EnsureDefaultDrives();
  vorlix::TRegFile store;
  vorlix::BindSettingsStore(store, "TCopyDest", "RegFile1");
  store.WriteValue(std::string(vorlix::kLastCopyToFolderValue), "C:\\var");
}

}  // namespace

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
  vorlix::Application app(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "copydest") == 0) {
    PlantSampleSettings();
    vorlix::ProgramState state;
    return vorlix::TCopyDest(state).exec();
  }
  vorlix::TForm2 form2;
  form2.show();
  return app.exec();
}
