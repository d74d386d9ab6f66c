// SPDX-License-Identifier: MIT
// vorlix-clean's commands: list, run and folder.

#include "tools/vorlix-clean/commands.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <iostream>

#include "cleaning/cleaning_run.h"
#include "cleaning/regained_report.h"
#include "cleaning/run_record.h"
#include "cleaning/typed_urls.h"
#include "platform/ascii.h"
#include "platform/drive_paths.h"
#include "settings/settings_catalogue.h"
#include "support/in_out_error.h"
#include "support/text_utils.h"
#include "tools/vorlix-clean/progress.h"
#include "tools/vorlix-clean/targets.h"

namespace vorlix::clean_tool {

void Complain(const std::string& text) { std::cerr << "vorlix-clean: " << text << '\n'; }

void Raise(Report& report, int exit_code) { report.exit_code = std::max(report.exit_code, exit_code); }

namespace {

bool AskOnTerminal(const ItemResult& item) {
  std::cerr << "Delete " << Counted(item.listed_files, "file") << " (" << SizeText(item.listed_bytes) << ") in "
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

// What the store holds, and whether the typed-URL key is there now.
struct StoreTargets {
  StoredTargets stored;
  bool typed_urls_present = false;

  // The report's typed-URL part before anything is deleted.
  TypedUrlsResult TypedUrls() const { return {stored.typed_urls.kill_all, typed_urls_present, false}; }
};

// Each command's part in a run: every folder it passes by, cannot enter or
// cleans becomes an item of the report, and what goes wrong is told on
// standard error at once.
class ToolRun : public RunFrontEnd {
 public:
  ToolRun(const Options& options, const std::atomic<bool>& stop, const StoreTargets& store, Report& report)
      : options_(options),
        stop_(stop),
        store_(store),
        report_(report),
        progress_(!options.quiet && !options.json && isatty(STDERR_FILENO) == 1) {
    mode_.dry_run = options.dry_run;
    mode_.stop = &stop;
    if (options.interactive) mode_.ask = AskOnTerminal;
    mode_.on_failure = [](const ItemResult& item, const std::string& name) {
      Complain("could not remove " + PrintableText(item.path.empty() ? name : item.path + "/" + name));
    };
  }

  // Set for a run that deletes the typed-URL list.
  void SetTypedUrlsStore(TRegFile& reg_file2) { reg_file2_ = &reg_file2; }

  bool StopRun() override { return stop_.load(); }

  void Skipped(const CleaningTarget& target) override {
    ItemResult& item = NewItem(target);
    item.status = target.unset ? ItemStatus::kUnset : ItemStatus::kNoFolder;
    if (target.unset && options_.command != Command::kList) Complain(target.name + " is not set up; skipped");
  }

  AfterRefusal Refused(const CleaningTarget& target, const std::string& error, bool protected_folder) override {
    ItemResult& item = NewItem(target);
    item.status = protected_folder ? ItemStatus::kProtected : ItemStatus::kNotEntered;
    item.error = error;
    if (options_.command == Command::kList) return AfterRefusal::kGoOn;
    Complain(target.name + ": " + PrintableText(error));
    Raise(report_, kExitStopped);
    return options_.keep_going ? AfterRefusal::kGoOn : AfterRefusal::kStop;
  }

  std::string EnterFolder(const CleaningTarget& target) override {
    return clean_tool::EnterFolder(target.drive, target.folder);
  }

  LeftFiles CleanFolder(const CleaningTarget& target, const std::string& entered) override {
    if (options_.command == Command::kList) {
      report_.items.push_back(CountTarget(target, entered, options_.count));
      return {};
    }
    report_.items.push_back(CleanTarget(target, entered, mode_, progress_));
    const ItemResult& item = report_.items.back();
    if (!item.failed.empty()) Raise(report_, kExitSomeFailed);
    for (const LeftReason& left : item.left.Reasons()) {
      Complain(target.name + ": " + PrintableText(LeftText(left.files, left.trash, left.reason)));
    }
    if (item.status == ItemStatus::kChanged || item.status == ItemStatus::kSwapped) {
      Complain(target.name + ": " + PrintableText(item.folder) +
               (item.status == ItemStatus::kChanged ? " changed since its files were listed; nothing deleted"
                                                    : " was moved or replaced while its files were being deleted; "
                                                      "the rest were left"));
      Raise(report_, kExitSomeFailed);
    }
    return item.left;
  }

  bool CleanTypedUrls() override {
    TypedUrlsResult typed = store_.TypedUrls();
    bool go_on = true;
    try {
      if (!options_.dry_run && reg_file2_ != nullptr) typed.deleted = DeleteTypedUrls(*reg_file2_);
    } catch (const ERegFileError& error) {
      Complain(std::string("typed-urls: ") + error.what());
      Raise(report_, kExitStopped);
      go_on = false;
    }
    report_.typed_urls = typed;
    return go_on;
  }

 private:
  ItemResult& NewItem(const CleaningTarget& target) {
    report_.items.emplace_back().target = target;
    return report_.items.back();
  }

  const Options& options_;
  const std::atomic<bool>& stop_;
  const StoreTargets& store_;
  Report& report_;
  ProgressBar progress_;
  CleanMode mode_;
  TRegFile* reg_file2_ = nullptr;
};

// Runs the targets, with the disk space regained over the run unless nothing is deleted.
void RunTargets(std::vector<CleaningTarget> targets, ToolRun& run, const Options& options, Report& report) {
  for (CleaningTarget& target : targets) target.recycle = ApplyOverride(options.method, target.recycle);
  RunCleaning(targets, run);
  if (!options.dry_run) report.space_regained = SpaceRegained(report.items);
}

Report ListCommand(const Options& options, const StoreTargets& store, const std::atomic<bool>& stop) {
  Report report;
  report.command = "list";
  // Every slot and the history folder, entered and counted only; one that
  // cannot be entered is listed with why, and the list goes on.
  std::vector<CleaningTarget> targets(store.stored.slot_targets.begin(), store.stored.slot_targets.end());
  targets.push_back(store.stored.history);
  ToolRun run(options, stop, store, report);
  RunCleaning(targets, run);
  report.typed_urls = store.TypedUrls();
  return report;
}

Report RunSlots(const Options& options, const StoreTargets& store, TRegFile& reg_file2,
                const std::atomic<bool>& stop) {
  Report report;
  report.command = "run";
  report.dry_run = options.dry_run;
  // Named items are cleaned when named; --kill-all adds those its dialog has ticked.
  KillAllTicks chosen{};
  for (std::size_t i = 0; i < store.stored.slot_targets.size(); ++i) {
    chosen[i] = options.slots[i] || (options.kill_all && store.stored.slot_targets[i].kill_all);
  }
  chosen[kKillAllTypedUrlsItem] = options.typed_urls || (options.kill_all && store.stored.typed_urls.kill_all);
  chosen[kKillAllHistoryItem] = options.history || (options.kill_all && store.stored.history.kill_all);
  const RunRecordScope record(!options.dry_run);
  ToolRun run(options, stop, store, report);
  run.SetTypedUrlsStore(reg_file2);
  RunTargets(PlanRun(store.stored, chosen), run, options, report);
  if (const std::string problems = record.Problems(); !problems.empty()) Complain(problems);
  return report;
}

Report FolderCommand(const Options& options, const StoreTargets& store, const std::atomic<bool>& stop) {
  Report report;
  report.command = "folder";
  report.dry_run = options.dry_run;
  // "Delete Cache" uses the window's check box; at start-up it shows IE button 1's method.
  CleaningTarget target{TargetKind::kFolder, "folder", 'c', options.folder, store.stored.slot_targets[0].recycle, false,
                        false};
  try {
    target.folder = DosPathOf(options.folder);
  } catch (const EInOutError& error) {
    Complain(error.what());
    report.exit_code = kExitStopped;
    return report;
  }
  target.drive = platform::AsciiLower(platform::FullPathName(target.folder).front());
  const RunRecordScope record(!options.dry_run);
  ToolRun run(options, stop, store, report);
  RunTargets({target}, run, options, report);
  if (const std::string problems = record.Problems(); !problems.empty()) Complain(problems);
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
  const StoreTargets store{ReadStoredTargets(reg_file1, reg_file6), reg_file2.KeyExists(std::string(kTypedUrlsKey))};
  Report report;
  if (options.command == Command::kList) {
    report = ListCommand(options, store, stop);
  } else if (options.command == Command::kRun) {
    report = RunSlots(options, store, reg_file2, stop);
  } else {
    report = FolderCommand(options, store, stop);
  }
  report.interrupted = stop.load();
  if (report.interrupted) report.exit_code = kExitInterrupted;
  return report;
}

}  // namespace vorlix::clean_tool
