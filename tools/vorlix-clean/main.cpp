// SPDX-License-Identifier: MIT
// vorlix-clean: cleans the Vorlix folder slots without a window.
#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "settings/reg_files.h"
#include "store/registry_store.h"
#include "tools/vorlix-clean/browsers_command.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/option_table.h"
#include "tools/vorlix-clean/safety_commands.h"
#include "tools/vorlix-clean/watch_command.h"
#include "version.h"

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted.store(true); }

// Ctrl+C and a polite termination end the run after the current file.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int Fail(const std::string& text, int exit_code) {
  vorlix::clean_tool::Complain(text);
  return exit_code;
}

// The exit status of a command that printed its answer, unless the answer could not be written.
int Finish(int exit_code) {
  std::cout.flush();
  if (!std::cout) return Fail("cannot write to standard output", vorlix::clean_tool::kExitSomeFailed);
  return exit_code;
}

// history, restore, purge and schedule; nothing for the cleaning commands.
// With --quiet (and no --json) their answer is not printed: the exit status
// and standard error tell.
std::optional<int> RunSafetyCommand(const vorlix::clean_tool::Options& options) {
  using namespace vorlix::clean_tool;
  std::ostream nowhere(nullptr);
  std::ostream& out = options.quiet && !options.json ? nowhere : std::cout;
  switch (options.command) {
    case Command::kHistory: return HistoryCommand(options, out);
    case Command::kRestore: return RestoreCommand(options, out);
    case Command::kPurge: return PurgeCommand(options, out);
    case Command::kSchedule: return ScheduleCommand(options, out);
    default: return std::nullopt;
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorlix::clean_tool;
  static_assert(std::atomic<bool>::is_always_lock_free);
  Options options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    return Fail(std::string(error.what()) + " (see vorlix-clean --help)", kExitUsage);
  }
  if (options.command == Command::kHelp) {
    std::cout << UsageText();
    return kExitDone;
  }
  if (options.command == Command::kCompletion) {
    std::cout << CompletionScript();
    return kExitDone;
  }
  if (options.command == Command::kVersion) {
    std::cout << "vorlix-clean " << VORLIX_VERSION << '\n';
    return kExitDone;
  }
  if (const std::optional<int> exit_code = RunSafetyCommand(options)) return Finish(*exit_code);
  CatchInterrupts();
  if (options.command == Command::kWatch) return Finish(WatchCommand(options, interrupted, std::cout));
  Report report;
  try {
    report = options.command == Command::kBrowsers ? RunBrowsersCommand(options, interrupted)
                                                   : RunCleanCommand(options, interrupted);
  } catch (const vorlix::ERegFileError& error) {
    return Fail(error.what(), kExitStopped);
  } catch (const vorlix::platform::RegistryStoreError& error) {
    return Fail(error.what(), kExitStopped);
  }
  if (options.json) {
    WriteJson(report, std::cout);
  } else if (!options.quiet || report.dry_run) {
    WriteText(report, std::cout);
  }
  return Finish(report.exit_code);
}
