// Shows one of the cleaning dialogs over sample settings, for the pictures in
// docs/: dialog_preview form4|form5. Settings and HOME lie in a private
// temporary folder, as in the tests.
#include <cstring>

#include "settings/reg_files.h"
#include "settings/settings_catalogue.h"
#include "tests/common/test_env.h"
#include "ui/application.h"
#include "ui/form4.h"
#include "ui/form5.h"

namespace {

void PlantSampleSettings() {
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
}

}  // namespace

int main(int argc, char** argv) {
  vorlix::test::TestRoot();
  vorlix::Application app(argc, argv);
  PlantSampleSettings();
  vorlix::ProgramState state;
  if (argc > 1 && std::strcmp(argv[1], "form4") == 0) return vorlix::TForm4(state).exec();
  return vorlix::TForm5(state).exec();
}
