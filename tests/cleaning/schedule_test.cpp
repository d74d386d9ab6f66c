// SPDX-License-Identifier: MIT
#include "cleaning/schedule.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "cleaning/watch_last.h"
#include "cleaning/watch_schedule.h"
#include "platform/program_run.h"
#include "platform/xdg.h"
#include "tests/common/test_env.h"
#include "tools/vorlix-clean/options.h"

namespace vorlix {
namespace {

namespace fs = std::filesystem;
using test::MakeTempDir;
using test::PathExists;
using test::ReadFile;
using test::WriteFile;

using Args = std::vector<std::string>;

platform::ProgramOutcome Answer(bool started, int exit_code, std::string output = "", std::string failure = "") {
  return {started, exit_code, std::move(output), std::move(failure)};
}

// A systemctl stand-in: records each call and answers with `answer`, or with
// the "show" output for a show call.
struct FakeSystemctl {
  platform::ProgramOutcome answer = Answer(true, 0);
  std::string timer_shown;
  std::string service_shown;
  std::vector<Args> calls;

  platform::ProgramOutcome operator()(const Args& args) {
    calls.push_back(args);
    platform::ProgramOutcome outcome = answer;
    if (answer.exit_code == 0 && args.size() > 3 && args[2] == "show") {
      outcome.output = args[3] == "vorlix-clean.timer" ? timer_shown : service_shown;
    }
    return outcome;
  }
};

class ScheduleTest : public ::testing::Test {
 protected:
  ScheduleTest() : units_(platform::ConfigHome() + "/systemd/user") {
    fs::remove_all(units_);
    place_ = {units_, "/opt/vorlix/bin/vorlix-clean", [this](const Args& args) { return systemctl_(args); }};
  }

  std::string Service() const { return ReadFile(units_ + "/vorlix-clean.service"); }
  std::string Timer() const { return ReadFile(units_ + "/vorlix-clean.timer"); }

  std::string units_;
  FakeSystemctl systemctl_;
  SchedulePlace place_;
};

TEST_F(ScheduleTest, SwitchingOnWritesTheUnitsAndEnablesTheTimerAndOffUndoesIt) {
  const ScheduleChoice weekly_kill_all_trash{ScheduleFrequency::kWeekly, true, false, ScheduleMethod::kTrash};
  const ScheduleResult on = SwitchScheduleOn(weekly_kill_all_trash, place_);
  EXPECT_TRUE(on.ok) << on.message;
  EXPECT_NE(Service().find("\nExecStart=/bin/sh -c 'status=0; \"$$0\" run --kill-all --keep-going --quiet --trash || "
                           "status=$$?; exit $$status' \"/opt/vorlix/bin/vorlix-clean\"\n"),
            std::string::npos)
      << Service();
  EXPECT_NE(Timer().find("\nOnCalendar=weekly\n"), std::string::npos) << Timer();
  EXPECT_EQ(systemctl_.calls, (std::vector<Args>{{"systemctl", "--user", "daemon-reload"},
                                                 {"systemctl", "--user", "enable", "--now", "vorlix-clean.timer"}}));
  EXPECT_EQ(ReadScheduleStatus(place_).choice, weekly_kill_all_trash);

  // An enable made while no manager was running left its link behind.
  fs::create_directories(units_ + "/timers.target.wants");
  fs::create_symlink(units_ + "/vorlix-clean.timer", units_ + "/timers.target.wants/vorlix-clean.timer");
  systemctl_.calls.clear();
  const ScheduleResult off = SwitchScheduleOff(place_);
  EXPECT_TRUE(off.ok) << off.message;
  EXPECT_EQ(systemctl_.calls, (std::vector<Args>{{"systemctl", "--user", "disable", "--now", "vorlix-clean.timer"},
                                                 {"systemctl", "--user", "daemon-reload"}}));
  for (const char* unit : {"/vorlix-clean.service", "/vorlix-clean.timer", "/timers.target.wants/vorlix-clean.timer"}) {
    EXPECT_FALSE(PathExists(units_ + unit)) << unit;
  }
  EXPECT_FALSE(ReadScheduleStatus(place_).choice);

  // Switching off again touches nothing: a link left now is not ours.
  fs::create_symlink("/usr/lib/systemd/user/vorlix-clean.timer", units_ + "/timers.target.wants/vorlix-clean.timer");
  systemctl_.calls.clear();
  EXPECT_TRUE(SwitchScheduleOff(place_).ok);
  EXPECT_TRUE(PathExists(units_ + "/timers.target.wants/vorlix-clean.timer"));
  EXPECT_TRUE(systemctl_.calls.empty());
}

TEST_F(ScheduleTest, TheWatcherIsSetBesideTheTimerAndEachIsSwitchedOffAlone) {
  const ScheduleChoice daily{ScheduleFrequency::kDaily, true, false, ScheduleMethod::kStored};
  ASSERT_TRUE(SwitchScheduleOn(daily, place_).ok);
  systemctl_.calls.clear();
  const ScheduleResult on = SwitchWatchOn(ScheduleMethod::kPermanent, place_);
  EXPECT_TRUE(on.ok) << on.message;
  EXPECT_EQ(on.message, "Cleans the browser caches when a browser closes, deleting files for good.");
  EXPECT_EQ(systemctl_.calls,
            (std::vector<Args>{{"systemctl", "--user", "daemon-reload"},
                               {"systemctl", "--user", "enable", "--now", "vorlix-clean-watch.service"}}));
  systemctl_.service_shown = "UnitFileState=enabled\nActiveState=active\nSubState=running\n";
  ASSERT_EQ(SaveWatchLast("Chromium Default: 12 files (3.0 KB) into the trash"), "");
  ScheduleStatus status = ReadScheduleStatus(place_);
  EXPECT_EQ(status.choice, daily);  // the timer stays
  EXPECT_EQ(status.watch, ScheduleMethod::kPermanent);
  EXPECT_TRUE(status.text.ends_with("\nCleans the browser caches when a browser closes, deleting files for good.\n"
                                    "Watcher: enabled, active (running). Last cleaning: Chromium Default: 12 files "
                                    "(3.0 KB) into the trash."))
      << status.text;
  EXPECT_TRUE(ReadWatchStatus(place_).on);
  // Enabled for the next session, or running for this one: either is on.
  systemctl_.service_shown = "UnitFileState=enabled\nActiveState=inactive\nSubState=dead\n";
  EXPECT_TRUE(ReadWatchStatus(place_).on);
  systemctl_.service_shown = "UnitFileState=disabled\nActiveState=active\nSubState=running\n";
  EXPECT_TRUE(ReadWatchStatus(place_).on);
  systemctl_.service_shown = "UnitFileState=disabled\nActiveState=inactive\nSubState=dead\n";
  EXPECT_FALSE(ReadWatchStatus(place_).on);

  // Off for the watcher leaves the timer, and off for the timer leaves the watcher.
  fs::create_directories(units_ + "/default.target.wants");
  fs::create_symlink(units_ + "/vorlix-clean-watch.service",
                     units_ + "/default.target.wants/vorlix-clean-watch.service");
  systemctl_.calls.clear();
  EXPECT_TRUE(SwitchWatchOff(place_).ok);
  EXPECT_EQ(systemctl_.calls.front(), (Args{"systemctl", "--user", "disable", "--now", "vorlix-clean-watch.service"}));
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean-watch.service"));
  EXPECT_FALSE(PathExists(units_ + "/default.target.wants/vorlix-clean-watch.service"));
  EXPECT_EQ(ReadScheduleStatus(place_).choice, daily);
  ASSERT_TRUE(SwitchWatchOn(ScheduleMethod::kTrash, place_).ok);
  EXPECT_TRUE(SwitchScheduleOff(place_).ok);
  status = ReadScheduleStatus(place_);
  EXPECT_FALSE(status.choice);
  EXPECT_EQ(status.watch, ScheduleMethod::kTrash);
  EXPECT_TRUE(status.text.starts_with("Cleans the browser caches when a browser closes, moving files to the trash."))
      << status.text;

  // Off for everything removes both; again, it finds nothing to remove.
  ASSERT_TRUE(SwitchScheduleOn(daily, place_).ok);
  const ScheduleResult all_off = SwitchEverythingOff(place_);
  EXPECT_TRUE(all_off.ok);
  EXPECT_EQ(all_off.message, "The schedule is switched off and its units are removed.\n"
                             "The browser-close watcher is stopped and its unit is removed.");
  for (const char* unit : {"/vorlix-clean.service", "/vorlix-clean.timer", "/vorlix-clean-watch.service"}) {
    EXPECT_FALSE(PathExists(units_ + unit)) << unit;
  }
  status = ReadScheduleStatus(place_);
  EXPECT_FALSE(status.choice || status.watch);
  EXPECT_EQ(status.text, "No schedule is set.");
  EXPECT_EQ(SwitchEverythingOff(place_).message, "No schedule is set.");
}

TEST_F(ScheduleTest, WithoutAUserManagerOrWithoutSystemdTheMessageSaysWhatToDo) {
  const ScheduleChoice both_monthly{ScheduleFrequency::kMonthly, true, true, ScheduleMethod::kPermanent};
  systemctl_.answer = Answer(true, 1, "Failed to connect to bus: No medium found\n");
  const ScheduleResult no_manager = SwitchScheduleOn(both_monthly, place_);
  EXPECT_FALSE(no_manager.ok);
  EXPECT_NE(no_manager.message.find("(Failed to connect to bus: No medium found)"), std::string::npos);
  EXPECT_TRUE(no_manager.message.ends_with("\nsystemctl --user enable --now vorlix-clean.timer")) << no_manager.message;
  EXPECT_EQ(systemctl_.calls.size(), 1u);  // nothing to enable through
  EXPECT_EQ(ReadScheduleStatus(place_).choice, both_monthly);  // written, ready for that command

  systemctl_.answer = Answer(false, -1, "", "No such file or directory");
  place_.cleaner = "/opt/it's 100%/vorlix-clean";
  const ScheduleResult no_systemd =
      SwitchScheduleOn({ScheduleFrequency::kWeekly, true, true, ScheduleMethod::kPermanent}, place_);
  EXPECT_FALSE(no_systemd.ok);
  EXPECT_TRUE(no_systemd.message.ends_with(
      "\n0 0 * * 1 '/opt/it'\\''s 100\\%/vorlix-clean' run --kill-all --keep-going --quiet --permanent; "
      "'/opt/it'\\''s 100\\%/vorlix-clean' browsers --keep-going --quiet --permanent"))
      << no_systemd.message;
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean.service"));
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean.timer"));
  const ScheduleResult no_systemd_watch = SwitchWatchOn(ScheduleMethod::kStored, place_);
  EXPECT_TRUE(no_systemd_watch.message.ends_with("\n'/opt/it'\\''s 100%/vorlix-clean' watch --trash"))
      << no_systemd_watch.message;
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean-watch.service"));

  systemctl_.answer = Answer(true, 1, "Failed to connect to bus: No medium found\n");
  const ScheduleResult no_manager_watch = SwitchWatchOn(ScheduleMethod::kTrash, place_);
  EXPECT_FALSE(no_manager_watch.ok);
  EXPECT_TRUE(no_manager_watch.message.ends_with("\nsystemctl --user enable --now vorlix-clean-watch.service"))
      << no_manager_watch.message;
  EXPECT_EQ(ReadWatchStatus(place_).method, ScheduleMethod::kTrash);
}

TEST_F(ScheduleTest, AProgramPathWithALineBreakOrControlCharacterIsRefusedAndNothingIsWritten) {
  for (const bool systemd : {true, false}) {
    systemctl_.answer = systemd ? Answer(true, 0) : Answer(false, -1, "", "No such file or directory");
    place_.cleaner = "/opt/new\nline/vorlix-clean";
    const ScheduleResult refused = SwitchScheduleOn(ScheduleChoice{}, place_);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("/opt/new\\x0Aline/vorlix-clean, holds a line break"), std::string::npos)
        << refused.message;
    EXPECT_EQ(refused.message.find('\n'), std::string::npos) << refused.message;  // no crontab line offered
    place_.cleaner = "/opt/tab\there/vorlix-clean";
    EXPECT_NE(SwitchScheduleOn(ScheduleChoice{}, place_).message.find("holds a control character"), std::string::npos);
  }
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean.service"));
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean.timer"));
  EXPECT_TRUE(systemctl_.calls.empty());
}

TEST_F(ScheduleTest, UnitFilesSomeoneElseWroteAreNeitherReplacedNorRemoved) {
  const std::string own_timer = "[Timer]\nOnCalendar=hourly\n";
  fs::create_directories(units_);
  WriteFile(units_ + "/vorlix-clean.timer", own_timer);
  EXPECT_FALSE(SwitchScheduleOn(ScheduleChoice{}, place_).ok);
  EXPECT_FALSE(PathExists(units_ + "/vorlix-clean.service"));
  EXPECT_FALSE(SwitchScheduleOff(place_).ok);
  EXPECT_EQ(Timer(), own_timer);

  const std::string own_watcher = "[Service]\nExecStart=/usr/bin/vorlix-clean watch\n";
  WriteFile(units_ + "/vorlix-clean-watch.service", own_watcher);
  EXPECT_FALSE(SwitchWatchOn(ScheduleMethod::kTrash, place_).ok);
  EXPECT_FALSE(SwitchEverythingOff(place_).ok);
  const WatchStatus watch = ReadWatchStatus(place_);
  EXPECT_FALSE(watch.method || watch.on);
  EXPECT_TRUE(watch.text.find(" was not written by Vorlix") != std::string::npos) << watch.text;
  EXPECT_EQ(ReadFile(units_ + "/vorlix-clean-watch.service"), own_watcher);
  EXPECT_EQ(Timer(), own_timer);
  EXPECT_TRUE(systemctl_.calls.empty());
}

TEST_F(ScheduleTest, TheStatusShowsTheTimerAndHowItsLastRunEnded) {
  ASSERT_TRUE(SwitchScheduleOn({ScheduleFrequency::kDaily, false, true, ScheduleMethod::kStored}, place_).ok);
  systemctl_.timer_shown =
      "UnitFileState=enabled\nLastTriggerUSec=Mon 2026-12-07 00:00:01 UTC\nNextElapseUSecRealtime=Tue 2026-12-08 "
      "00:00:00 UTC\n";
  systemctl_.service_shown = "Result=exit-code\nExecMainStatus=3\nExecMainExitTimestamp=Mon 2026-12-07 00:00:09 UTC\n";
  EXPECT_EQ(ReadScheduleStatus(place_).text,
            "Cleans the browser caches daily, with each folder's delete method.\n"
            "Timer: enabled. Last run: Mon 2026-12-07 00:00:01 UTC, something could not be cleaned (exit status 3) "
            "at Mon 2026-12-07 00:00:09 UTC. Next run: Tue 2026-12-08 00:00:00 UTC.");
  systemctl_.timer_shown = "UnitFileState=enabled\nLastTriggerUSec=n/a\n";
  systemctl_.service_shown = "Result=success\nExecMainStatus=0\nExecMainExitTimestamp=\n";
  const std::string text = ReadScheduleStatus(place_).text;
  EXPECT_EQ(text.substr(text.find('\n') + 1), "Timer: enabled. Last run: not yet. Next run: not yet.");
}

TEST(ScheduleUnitsTest, EveryChoiceIsReadBackFromItsService) {
  for (const ScheduleFrequency frequency :
       {ScheduleFrequency::kDaily, ScheduleFrequency::kWeekly, ScheduleFrequency::kMonthly}) {
    for (const auto& [kill_all, browsers] : {std::pair{true, false}, {false, true}, {true, true}}) {
      for (const ScheduleMethod method : {ScheduleMethod::kStored, ScheduleMethod::kTrash, ScheduleMethod::kPermanent}) {
        const ScheduleChoice choice{frequency, kill_all, browsers, method};
        EXPECT_EQ(RecordedScheduleChoice(ScheduleUnits(choice, "/usr/bin/vorlix-clean").service), choice);
      }
    }
  }
  EXPECT_FALSE(RecordedScheduleChoice("# Vorlix schedule: weekly trash\n"));  // cleans nothing
  EXPECT_FALSE(RecordedScheduleChoice("# Vorlix schedule: weekly kill-all hourly trash\n"));
  // The path is an argument in systemd's quoting: \ and " escaped, $ and %
  // doubled, UTF-8 kept and a byte outside it written in hex.
  EXPECT_TRUE(ScheduleUnits(ScheduleChoice{}, "/opt/a \"b\" \\c $d %e/\xC3\xA9\xFF/vorlix-clean")
                  .service.ends_with(R"( exit $$status' "/opt/a \"b\" \\c $$d %%e/)"
                                     "\xC3\xA9"
                                     R"(\xff/vorlix-clean")"
                                     "\n"));
  EXPECT_FALSE(RecordedScheduleChoice("[Service]\nExecStart=/usr/bin/vorlix-clean run u1\n"));

  // The watcher's service: its method read back (a browser cache has no
  // method of its own, so into the trash), the path in the same quoting, and
  // neither kind of unit taken for the other.
  const std::string odd = "/opt/a \"b\" $d %e/\xFF/vorlix-clean";
  const std::pair<ScheduleMethod, const char*> watch_methods[] = {
      {ScheduleMethod::kStored, "trash"}, {ScheduleMethod::kTrash, "trash"}, {ScheduleMethod::kPermanent, "permanent"}};
  for (const auto& [method, word] : watch_methods) {
    const std::string watch = WatchUnit(method, odd);
    EXPECT_EQ(RecordedWatchMethod(watch), method == ScheduleMethod::kPermanent ? method : ScheduleMethod::kTrash);
    EXPECT_NE(watch.find(std::string("\nExecStart=/bin/sh -c 'exec \"$$0\" watch --") + word +
                         R"(' "/opt/a \"b\" $$d %%e/\xff/vorlix-clean"
Restart=on-failure
)"),
              std::string::npos)
        << watch;
    EXPECT_NE(watch.find("\nWantedBy=default.target\n"), std::string::npos);
    EXPECT_FALSE(RecordedScheduleChoice(watch));
  }
  EXPECT_FALSE(RecordedWatchMethod(ScheduleUnits(ScheduleChoice{}, "/usr/bin/vorlix-clean").service));
  EXPECT_FALSE(RecordedWatchMethod("# Vorlix browser-close watcher: stored\n"));
  EXPECT_FALSE(RecordedWatchMethod("[Service]\nExecStart=/usr/bin/vorlix-clean watch\n"));
}

// Runs the service's command line as systemd would, with a stand-in cleaner
// that records its arguments and fails its first run: the second still runs
// and the service fails. Each recorded command line is read as vorlix-clean
// itself reads it, so a word it refuses, or a method other than the one
// chosen, fails here.
TEST(ScheduleUnitsTest, BothCleaningsRunAndTheFailureIsKept) {
  const std::string folder = MakeTempDir("cleaner $HOME");
  const std::string cleaner = folder + "/vorlix-clean";
  WriteFile(cleaner,
            "#!/bin/sh\nprintf '%s\\n' \"$@\" '' >>\"$(dirname \"$0\")/calls\"\n[ \"$1\" != run ] || exit 3\n");
  ASSERT_EQ(chmod(cleaner.c_str(), 0755), 0);
  using clean_tool::MethodOverride;
  const std::pair<ScheduleMethod, MethodOverride> methods[] = {
      {ScheduleMethod::kStored, MethodOverride::kNone},
      {ScheduleMethod::kTrash, MethodOverride::kTrash},
      {ScheduleMethod::kPermanent, MethodOverride::kPermanent}};
  for (const auto& [method, override_given] : methods) {
    for (const auto& [kill_all, browsers] : {std::pair{true, true}, std::pair{true, false}, std::pair{false, true}}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(method)) + (kill_all ? " kill-all" : "") +
                   (browsers ? " browsers" : ""));
      const std::string service =
          ScheduleUnits({ScheduleFrequency::kWeekly, kill_all, browsers, method}, cleaner).service;
      const std::size_t open = service.find("ExecStart=/bin/sh -c '");
      ASSERT_NE(open, std::string::npos) << service;
      const std::size_t script_start = open + 22;
      const std::size_t script_end = service.find('\'', script_start);
      std::string script = service.substr(script_start, script_end - script_start);
      for (std::size_t at = script.find("$$"); at != std::string::npos; at = script.find("$$", at + 1)) {
        script.erase(at, 1);
      }
      fs::remove(folder + "/calls");
      const platform::ProgramOutcome run = platform::RunProgram({"/bin/sh", "-c", script, cleaner});
      EXPECT_EQ(run.exit_code, kill_all ? 3 : 0);

      std::vector<clean_tool::Options> calls;
      Args args;
      std::istringstream lines(ReadFile(folder + "/calls"));
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) {
          args.push_back(line);
          continue;
        }
        try {
          calls.push_back(clean_tool::ParseOptions(args));
        } catch (const clean_tool::UsageError& error) {
          ADD_FAILURE() << "vorlix-clean refuses the scheduled command line: " << error.what();
        }
        args.clear();
      }
      ASSERT_EQ(calls.size(), (kill_all ? 1U : 0U) + (browsers ? 1U : 0U));
      for (std::size_t i = 0; i < calls.size(); ++i) {
        const clean_tool::Options& call = calls[i];
        EXPECT_EQ(call.command, kill_all && i == 0 ? clean_tool::Command::kRun : clean_tool::Command::kBrowsers);
        EXPECT_EQ(call.kill_all, call.command == clean_tool::Command::kRun);
        EXPECT_EQ(call.method, override_given);
        EXPECT_TRUE(call.keep_going);
        EXPECT_TRUE(call.quiet);
        EXPECT_FALSE(call.dry_run);
        EXPECT_TRUE(call.browsers.empty());
        EXPECT_TRUE(call.slots.none());
      }
    }
  }
}

// systemd's own checker accepts the units, with a cleaner path that needs
// quoting and holds a byte that is not UTF-8.
TEST(ScheduleUnitsTest, SystemdAcceptsTheUnits) {
  const std::string analyze = platform::FindProgramBesideOrOnPath("systemd-analyze");
  if (analyze.empty()) GTEST_SKIP() << "systemd-analyze is not installed";
  const std::string folder = MakeTempDir("units");
  const std::string cleaner = MakeTempDir("100% \"$sure\" \\ \xFF") + "/vorlix-clean";
  WriteFile(cleaner, "#!/bin/sh\n");
  ASSERT_EQ(chmod(cleaner.c_str(), 0755), 0);
  for (const bool browsers : {false, true}) {
    const ScheduleUnitTexts units =
        ScheduleUnits({ScheduleFrequency::kWeekly, true, browsers, ScheduleMethod::kTrash}, cleaner);
    WriteFile(folder + "/vorlix-clean.service", units.service);
    WriteFile(folder + "/vorlix-clean.timer", units.timer);
    const platform::ProgramOutcome verify =
        platform::RunProgram({analyze, "verify", folder + "/vorlix-clean.timer", folder + "/vorlix-clean.service"});
    EXPECT_EQ(verify.exit_code, 0) << verify.output;
    EXPECT_EQ(verify.output, "") << units.service;
  }
  WriteFile(folder + "/" + kWatchUnit, WatchUnit(ScheduleMethod::kPermanent, cleaner));
  const platform::ProgramOutcome verify = platform::RunProgram({analyze, "verify", folder + "/" + kWatchUnit});
  EXPECT_EQ(verify.exit_code, 0) << verify.output;
  EXPECT_EQ(verify.output, "") << WatchUnit(ScheduleMethod::kPermanent, cleaner);
}

}  // namespace
}  // namespace vorlix
