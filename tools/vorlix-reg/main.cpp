// SPDX-License-Identifier: MIT
// vorlix-reg: reads and edits the settings store from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "platform/registry_store.h"
#include "tools/vorlix-reg/commands.h"
#include "tools/vorlix-reg/usage.h"

int main(int argc, char** argv) {
  using namespace vorlix::reg_tool;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::cout << kHelp;
    return 0;
  }
  try {
    RunCommand(args, std::cout);
    std::cout.flush();
    if (!std::cout) throw ToolError("cannot write to standard output");
    return 0;
  } catch (const UsageError& error) {
    std::cerr << "vorlix-reg: " << error.what() << " (see vorlix-reg --help)\n";
    return 2;
  } catch (const ToolError& error) {
    std::cerr << "vorlix-reg: " << error.what() << '\n';
  } catch (const vorlix::platform::RegistryStoreError& error) {
    std::cerr << "vorlix-reg: " << error.what() << '\n';
  }
  return 1;
}
