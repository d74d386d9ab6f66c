// SPDX-License-Identifier: MIT
// The texts of a cleaning schedule.

#include "cleaning/schedule_units.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string_view>
#include <vector>

#include "support/text_utils.h"

namespace vorlix {
namespace {

// The first line of both units: it marks them as ours and records the choice.
constexpr std::string_view kMarker = "# Vorlix schedule:";
// The first line of the watcher's service, with its method after it.
constexpr std::string_view kWatchMarker = "# Vorlix browser-close watcher:";


std::string MarkerLine(const ScheduleChoice& choice) {
  std::string line = std::string(kMarker) + " " + FrequencyName(choice.frequency);
  if (choice.kill_all) line += " kill-all";
  if (choice.browsers) line += " browsers";
  return line + " " + MethodWord(choice.method) + "\n";
}

// The arguments of each vorlix-clean run of the choice, in run order.
std::vector<std::string> RunArguments(const ScheduleChoice& choice) {
  std::string method;
  if (choice.method != ScheduleMethod::kStored) method = std::string(" --") + MethodWord(choice.method);
  std::vector<std::string> runs;
  if (choice.kill_all) runs.push_back("run --kill-all --keep-going --quiet" + method);
  if (choice.browsers) runs.push_back("browsers --keep-going --quiet" + method);
  return runs;
}

// An argument of a unit's command line that systemd hands on as it is:
// quoted, its quotes and backslashes escaped, its specifier and variable
// signs doubled, and each byte that is not part of valid UTF-8 (which systemd
// refuses in a unit) written as \xNN. It holds no control character
// (UnschedulableReason).
std::string UnitWord(const std::string& text) {
  std::string word = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = static_cast<unsigned char>(c) < 0x80 ? 1 : Utf8Length(text, i);
    if (length == 0) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
      word += escaped;
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') word += '\\';
    if (c == '%' || c == '$') word += c;
    word.append(text, i, length);
    i += length;
  }
  return word + "\"";
}

// A word that /bin/sh hands on as it is.
std::string ShellWord(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-") ==
                           std::string::npos) {
    return text;
  }
  std::string word = "'";
  for (const char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// One shell runs every cleaning of the choice, so that a later one still runs
// after an earlier one failed and the service ends with the last failure's
// status. The cleaner's path is the shell's $0: systemd refuses a program path
// that needs quoting, but hands on an argument as written.
std::string ExecStart(const ScheduleChoice& choice, const std::string& cleaner) {
  std::string script = "status=0;";
  for (const std::string& run : RunArguments(choice)) script += " \"$$0\" " + run + " || status=$$?;";
  return "ExecStart=/bin/sh -c '" + script + " exit $$status' " + UnitWord(cleaner) + "\n";
}

// The watcher's method word: there is no folder's own method for a browser
// cache, so kStored cleans into the trash, as the browsers command does.
const char* WatchMethodName(ScheduleMethod method) {
  return MethodWord(method == ScheduleMethod::kPermanent ? method : ScheduleMethod::kTrash);
}

// The watcher's arguments: a method is always named, so that the unit says what it does;
// no --quiet, so that each cleaning leaves its line in the journal.
std::string WatchArguments(ScheduleMethod method) { return std::string("watch --") + WatchMethodName(method); }

}  // namespace

const char* FrequencyName(ScheduleFrequency frequency) {
  switch (frequency) {
    case ScheduleFrequency::kDaily: return "daily";
    case ScheduleFrequency::kMonthly: return "monthly";
    case ScheduleFrequency::kWeekly: break;
  }
  return "weekly";
}

const char* MethodWord(ScheduleMethod method) {
  switch (method) {
    case ScheduleMethod::kTrash: return "trash";
    case ScheduleMethod::kPermanent: return "permanent";
    case ScheduleMethod::kStored: break;
  }
  return "stored";
}

ScheduleUnitTexts ScheduleUnits(const ScheduleChoice& choice, const std::string& cleaner) {
  const std::string marker = MarkerLine(choice);
  ScheduleUnitTexts units;
  units.service = marker +
                  "[Unit]\n"
                  "Description=Vorlix scheduled cleaning\n"
                  "\n"
                  "[Service]\n"
                  "Type=oneshot\n" +
                  ExecStart(choice, cleaner);
  units.timer = marker +
                "[Unit]\n"
                "Description=Vorlix scheduled cleaning, " +
                FrequencyName(choice.frequency) +
                "\n"
                "\n"
                "[Timer]\n"
                "OnCalendar=" +
                FrequencyName(choice.frequency) +
                "\n"
                "Persistent=true\n"
                "\n"
                "[Install]\n"
                "WantedBy=timers.target\n";
  return units;
}

std::string ScheduleCrontabLine(const ScheduleChoice& choice, const std::string& cleaner) {
  // The timer's calendar: midnight every day, on Mondays, on the 1st.
  std::string line;
  switch (choice.frequency) {
    case ScheduleFrequency::kDaily: line = "0 0 * * *"; break;
    case ScheduleFrequency::kWeekly: line = "0 0 * * 1"; break;
    case ScheduleFrequency::kMonthly: line = "0 0 1 * *"; break;
  }
  std::string program = ShellWord(cleaner);
  std::string escaped;  // cron ends the command at an unescaped %
  for (const char c : program) escaped += c == '%' ? std::string("\\%") : std::string(1, c);
  const std::vector<std::string> runs = RunArguments(choice);
  for (std::size_t i = 0; i < runs.size(); ++i) line += (i == 0 ? " " : "; ") + escaped + " " + runs[i];
  return line;
}

std::string UnschedulableReason(const std::string& cleaner) {
  const auto control = std::find_if(cleaner.begin(), cleaner.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  if (control == cleaner.end()) return {};
  const std::string what = *control == '\n' ? "a line break" : "a control character";
  return "No schedule was set: the path of vorlix-clean, " + PrintableText(cleaner) + ", holds " + what +
         ", which a systemd unit or a crontab line cannot carry safely. Put vorlix-clean (or a link to it) in a "
         "folder whose path has no control characters.";
}

std::string WatchUnit(ScheduleMethod method, const std::string& cleaner) {
  // exec: systemd's stop signal reaches the watcher itself.
  return std::string(kWatchMarker) + " " + WatchMethodName(method) +
         "\n"
         "[Unit]\n"
         "Description=Vorlix: empties browser caches when a browser closes\n"
         "\n"
         "[Service]\n"
         "ExecStart=/bin/sh -c 'exec \"$$0\" " +
         WatchArguments(method) + "' " + UnitWord(cleaner) +
         "\n"
         "Restart=on-failure\n"
         "RestartSec=10\n"
         "\n"
         "[Install]\n"
         "WantedBy=default.target\n";
}

std::string WatchCommandLine(ScheduleMethod method, const std::string& cleaner) {
  return ShellWord(cleaner) + " " + WatchArguments(method);
}

bool IsOwnWatchUnit(const std::string& unit_text) { return unit_text.starts_with(kWatchMarker); }

std::optional<ScheduleMethod> RecordedWatchMethod(const std::string& service_text) {
  if (!IsOwnWatchUnit(service_text)) return std::nullopt;
  const std::string word = service_text.substr(kWatchMarker.size(), service_text.find('\n') - kWatchMarker.size());
  for (const ScheduleMethod method : {ScheduleMethod::kTrash, ScheduleMethod::kPermanent}) {
    if (word == std::string(" ") + MethodWord(method)) return method;
  }
  return std::nullopt;
}

bool IsOwnScheduleUnit(const std::string& unit_text) { return unit_text.starts_with(kMarker); }

std::optional<ScheduleChoice> RecordedScheduleChoice(const std::string& service_text) {
  if (!IsOwnScheduleUnit(service_text)) return std::nullopt;
  std::istringstream words(service_text.substr(kMarker.size(), service_text.find('\n') - kMarker.size()));
  std::string frequency;
  std::string word;
  words >> frequency;
  ScheduleChoice choice{.kill_all = false};
  bool known = false;
  for (const ScheduleFrequency f : {ScheduleFrequency::kDaily, ScheduleFrequency::kWeekly, ScheduleFrequency::kMonthly}) {
    if (frequency == FrequencyName(f)) choice.frequency = f, known = true;
  }
  while (words >> word) {
    if (word == "kill-all") {
      choice.kill_all = true;
    } else if (word == "browsers") {
      choice.browsers = true;
    } else if (word == MethodWord(ScheduleMethod::kTrash)) {
      choice.method = ScheduleMethod::kTrash;
    } else if (word == MethodWord(ScheduleMethod::kPermanent)) {
      choice.method = ScheduleMethod::kPermanent;
    } else if (word != MethodWord(ScheduleMethod::kStored)) {
      return std::nullopt;
    }
  }
  if (!known || !(choice.kill_all || choice.browsers)) return std::nullopt;
  return choice;
}

}  // namespace vorlix
