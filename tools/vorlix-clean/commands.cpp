// SPDX-License-Identifier: MIT
// vorlix-clean's commands: list, run and folder.

#include "tools/vorlix-clean/commands.h"

#include <unistd.h>

#include <cstdint>
#include <iostream>

#include "cleaning/regained_report.h"
#include "cleaning/typed_urls.h"
#include "platform/ascii.h"
#include "platform/drive_paths.h"
#include "actions/program_state.h"
#include "settings/settings_catalogue.h"
#include "support/disk_utils.h"
#include "support/in_out_error.h"
#include "tools/vorlix-clean/progress.h"

namespace vorlix::clean_tool {
namespace {

void Complain(const std::string& text) { std::cerr << "vorlix-clean: " << text << '\n'; }

bool AskOnTerminal(const ItemResult& item) {
  std::cerr << "Delete " << Counted(item.listed_files, "file") << " (" << HumanBytes(item.listed_bytes) << ") in "
            << PrintableText(item.folder) << (item.target.recycle ? " into the trash" : " for good") << "? [y/N] ";
  std::string answer;
  if (!std::getline(std::cin, answer)) return false;
  return answer == "y" || answer == "Y" || answer == "yes";
}

bool ApplyOverride(MethodOverride method, bool stored) {
  if (method == MethodOverride::kTrash) return true;
  if (method == MethodOverride::kPermanent) return false;
  return stored;
}

// Cleans the targets in order; a folder that cannot be entered, or SIGINT,
// ends the run there, as the window's Kill All ends at such a folder.
void CleanTargets(const std::vector<Target>& targets, const Options& options, const std::atomic<bool>& stop,
                  Report& report) {
  ProgressBar progress(!options.quiet && !options.json && isatty(STDERR_FILENO) == 1);
  CleanMode mode;
  mode.dry_run = options.dry_run;
  mode.stop = &stop;
  if (options.interactive) mode.ask = AskOnTerminal;
  mode.on_failure = [](const ItemResult& item, const std::string& name) {
    Complain("could not remove " + PrintableText(item.path.empty() ? name : item.path + "/" + name));
  };
  for (const Target& target : targets) {
    if (stop.load()) break;
    report.items.push_back(CleanTarget(target, mode, progress));
    const ItemResult& item = report.items.back();
    if (!item.failed.empty()) report.exit_code = kExitSomeFailed;
    if (item.not_trashed > 0) Complain(target.name + ": " + NotTrashedText(item.not_trashed));
    if (item.status == ItemStatus::kNotEntered) {
      Complain(target.name + ": " + PrintableText(item.error));
      report.exit_code = kExitStopped;
      return;
    }
    if (item.status == ItemStatus::kChanged || item.status == ItemStatus::kSwapped) {
      Complain(target.name + ": " + PrintableText(item.folder) +
               (item.status == ItemStatus::kChanged ? " changed since its files were listed; nothing deleted"
                                                    : " was moved or replaced while its files were being deleted; "
                                                      "the rest were left"));
      report.exit_code = kExitSomeFailed;
    }
    if (item.status == ItemStatus::kUnset) Complain(target.name + " is not set up; skipped");
  }
}

Report ListCommand(const Options& options, const StoreSettings& settings) {
  Report report;
  report.command = "list";
  for (const Target& target : settings.slots) report.items.push_back(CountTarget(target, options.count));
  report.items.push_back(CountTarget(settings.history, options.count));
  report.typed_urls = TypedUrlsResult{settings.state.kill_all[kKillAllTypedUrlsItem], settings.typed_urls_present,
                                      false};
  return report;
}

Report RunSlots(const Options& options, StoreSettings& settings, TRegFile& reg_file2,
                const std::atomic<bool>& stop) {
  Report report;
  report.command = "run";
  report.dry_run = options.dry_run;
  std::vector<Target> targets;
  bool last_recycle = settings.history.recycle;
  for (std::size_t i = 0; i < settings.slots.size(); ++i) {
    const Target& slot = settings.slots[i];
    // Named slots are cleaned when named; Kill All skips unset user slots.
    if (!options.slots[i] && !(options.kill_all && slot.kill_all)) continue;
    targets.push_back(slot);
    targets.back().recycle = ApplyOverride(options.method, slot.recycle);
    if (!slot.unset && !slot.stored_folder.empty()) last_recycle = targets.back().recycle;
  }
  const std::int64_t before = SumFreeSpace();
  CleanTargets(targets, options, stop, report);
  bool go_on = report.exit_code != kExitStopped && !stop.load();
  if (go_on && (options.typed_urls || (options.kill_all && settings.state.kill_all[kKillAllTypedUrlsItem]))) {
    TypedUrlsResult typed{settings.state.kill_all[kKillAllTypedUrlsItem], settings.typed_urls_present, false};
    try {
      if (!options.dry_run) typed.deleted = DeleteTypedUrls(reg_file2);
    } catch (const ERegFileError& error) {
      Complain(std::string("typed-urls: ") + error.what());
      report.exit_code = kExitStopped;
      go_on = false;
    }
    report.typed_urls = typed;
  }
  if (go_on && (options.history || (options.kill_all && settings.history.kill_all))) {
    // The history folder goes the way the last slot cleaned went, as in the window.
    Target history = settings.history;
    history.recycle = ApplyOverride(options.method, last_recycle);
    CleanTargets({history}, options, stop, report);
  }
  if (!options.dry_run) report.space_regained = SumFreeSpace() - before;
  return report;
}

Report FolderCommand(const Options& options, const StoreSettings& settings, const std::atomic<bool>& stop) {
  Report report;
  report.command = "folder";
  report.dry_run = options.dry_run;
  // "Delete Cache" uses the window's check box; at start-up it shows IE button 1's method.
  Target target{"folder", 'c', options.folder, ApplyOverride(options.method, settings.state.use_recycle[0]), false,
                false};
  try {
    target.stored_folder = DosPathOf(options.folder);
  } catch (const EInOutError& error) {
    Complain(error.what());
    report.exit_code = kExitStopped;
    return report;
  }
  target.drive = platform::AsciiLower(platform::FullPathName(target.stored_folder).front());
  const std::int64_t before = SumFreeSpace();
  CleanTargets({target}, options, stop, report);
  if (!options.dry_run) report.space_regained = SumFreeSpace() - before;
  return report;
}

}  // namespace

Report RunCleanCommand(const Options& options, const std::atomic<bool>& stop) {
  // As at the window's first start: drive c is the root folder until the user maps more.
  platform::EnsureDefaultDrives();
  TRegFile reg_file1;
  TRegFile reg_file2;
  TRegFile reg_file6;
  BindSettingsStore(reg_file1, "TForm1", "RegFile1");
  BindSettingsStore(reg_file2, "TForm1", "RegFile2");
  BindSettingsStore(reg_file6, "TForm1", "RegFile6");
  StoreSettings settings = ReadStoreSettings(reg_file1, reg_file2, reg_file6);
  Report report;
  if (options.command == Command::kList) {
    report = ListCommand(options, settings);
  } else if (options.command == Command::kRun) {
    report = RunSlots(options, settings, reg_file2, stop);
  } else {
    report = FolderCommand(options, settings, stop);
  }
  report.interrupted = stop.load();
  if (report.interrupted) report.exit_code = kExitInterrupted;
  return report;
}

}  // namespace vorlix::clean_tool
