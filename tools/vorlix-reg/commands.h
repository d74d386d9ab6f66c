// SPDX-License-Identifier: MIT
// The commands of vorlix-reg, each working on the user's settings store.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorlix::reg_tool {

// Runs the command named by args[0] with the rest as its arguments, writing
// what it shows to `out`. Throws UsageError for wrong arguments and ToolError
// (or the store's RegistryStoreError) for a failure.
void RunCommand(const std::vector<std::string>& args, std::ostream& out);

}  // namespace vorlix::reg_tool
