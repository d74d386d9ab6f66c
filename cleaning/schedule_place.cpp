// SPDX-License-Identifier: MIT
// Where a schedule's user units are written and which vorlix-clean they run.
#include "cleaning/schedule_place.h"

#include "platform/xdg.h"

namespace vorlix {

SchedulePlace UserSchedulePlace() {
  return {platform::ConfigHome() + "/systemd/user", platform::FindProgramBesideOrOnPath("vorlix-clean"),
          platform::RunProgram};
}

}  // namespace vorlix
