// SPDX-License-Identifier: MIT
// One cleaning run over the targets of a plan, in order, for any front end:
// the window's Kill All and vorlix-clean's run and folder commands.
#pragma once

#include <string>
#include <vector>

#include "cleaning/cleaning_plan.h"
#include "cleaning/left_files.h"

namespace vorlix {

// What a folder that was not cleaned leads to.
enum class AfterRefusal {
  kRethrow,  // the error leaves the run
  kStop,     // the run ends here
  kGoOn,     // the run goes on with the next target
};

// How a front end takes part in a run: it brings each folder into its view,
// cleans it with its own watcher (progress, stop, questions), and hears of
// everything the run passes by.
class RunFrontEnd {
 public:
  virtual ~RunFrontEnd() = default;
  // True ends the run before the next target.
  virtual bool StopRun() { return false; }
  // A target that is not cleaned: an unset user slot, or one naming no folder.
  virtual void Skipped(const CleaningTarget& /*target*/) {}
  // A folder that cannot be entered (EInOutError) or that is never cleaned
  // without asking (EProtectedFolder; `protected_folder` true), with the error's text.
  virtual AfterRefusal Refused(const CleaningTarget& /*target*/, const std::string& /*error*/,
                               bool /*protected_folder*/) {
    return AfterRefusal::kRethrow;
  }
  // Enters the target's folder (brings it into view) and gives the folder it
  // entered, as a DOS path. Throws EInOutError when it cannot be entered.
  virtual std::string EnterFolder(const CleaningTarget& target) = 0;
  // Cleans the folder entered, once the run has looked at it; gives what stayed.
  virtual LeftFiles CleanFolder(const CleaningTarget& target, const std::string& entered) = 0;
  // Deletes the typed-URL list; false ends the run.
  virtual bool CleanTypedUrls() = 0;
};

// Cleans the targets in order. A target that is unset or names no folder is
// skipped; every folder is looked at as a run that asks nothing must look at
// it (UnattendedFolder) before and after the front end enters it. Gives what
// stayed over the whole run, reasons merged.
LeftFiles RunCleaning(const std::vector<CleaningTarget>& targets, RunFrontEnd& front_end);

}  // namespace vorlix
