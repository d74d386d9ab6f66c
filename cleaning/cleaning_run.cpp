// SPDX-License-Identifier: MIT
// One cleaning run over the targets of a plan.

#include "cleaning/cleaning_run.h"

#include "cleaning/unattended_folder.h"
#include "support/in_out_error.h"

namespace vorlix {
namespace {

// Cleans one folder target; false when the run is to end.
bool CleanOne(const CleaningTarget& target, RunFrontEnd& front_end, LeftFiles& left) {
  AfterRefusal after = AfterRefusal::kGoOn;
  try {
    const UnattendedFolder checked(target.folder, target.drive);
    const std::string entered = front_end.EnterFolder(target);
    checked.CheckEntered(entered);
    left.Add(front_end.CleanFolder(target, entered));
    return true;
  } catch (const EInOutError& error) {
    after = front_end.Refused(target, error.what(), false);
    if (after == AfterRefusal::kRethrow) throw;
  } catch (const EProtectedFolder& error) {
    after = front_end.Refused(target, error.what(), true);
    if (after == AfterRefusal::kRethrow) throw;
  }
  return after == AfterRefusal::kGoOn;
}

}  // namespace

LeftFiles RunCleaning(const std::vector<CleaningTarget>& targets, RunFrontEnd& front_end) {
  LeftFiles left;
  for (const CleaningTarget& target : targets) {
    if (front_end.StopRun()) break;
    if (target.kind == TargetKind::kTypedUrls) {
      if (!front_end.CleanTypedUrls()) break;
      continue;
    }
    // An empty folder text names no folder: entering it would leave the view
    // where it is, and that folder's files are not this target's to delete.
    if (target.unset || target.folder.empty()) {
      front_end.Skipped(target);
      continue;
    }
    if (!CleanOne(target, front_end, left)) break;
  }
  return left;
}

}  // namespace vorlix
