// SPDX-License-Identifier: MIT
// vorlix-reg: reads and edits the settings store from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "store/registry_store.h"
#include "tools/vorlix-reg/commands.h"
#include "tools/vorlix-reg/usage.h"
#include "tools/vorlix-reg/value_text.h"
#include "version.h"

namespace {

// Every failure is one line on standard error, whatever the input held.
int Report(const char* what, const char* hint, int exit_code) {
  std::cerr << "vorlix-reg: " << vorlix::reg_tool::EscapedText(what) << hint << '\n';
  return exit_code;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorlix::reg_tool;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kHelp;
    return 2;
  }
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kHelp;
    return 0;
  }
  if (args.size() == 1 && (args[0] == "--version" || args[0] == "-V")) {
    std::cout << "vorlix-reg " << VORLIX_VERSION << '\n';
    return 0;
  }
  try {
    RunCommand(args, std::cout);
    std::cout.flush();
    if (!std::cout) throw ToolError("cannot write to standard output");
    return 0;
  } catch (const UsageError& error) {
    return Report(error.what(), " (see vorlix-reg --help)", 2);
  } catch (const ToolError& error) {
    return Report(error.what(), "", 1);
  } catch (const vorlix::platform::RegistryStoreError& error) {
    return Report(error.what(), "", 1);
  }
}
