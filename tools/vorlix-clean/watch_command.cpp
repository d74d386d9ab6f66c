// SPDX-License-Identifier: MIT
// The watch command: empties a browser's caches the moment it has closed.
#include "tools/vorlix-clean/watch_command.h"

#include <poll.h>
#include <signal.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <optional>
#include <set>

#include "cleaning/browser_closings.h"
#include "cleaning/browser_locks.h"
#include "cleaning/watch_last.h"
#include "platform/change_watch.h"
#include "tools/vorlix-clean/browsers_command.h"
#include "tools/vorlix-clean/commands.h"
#include "tools/vorlix-clean/report.h"

namespace vorlix::clean_tool {
namespace {

using Clock = BrowserClosings::Clock;

// A process holding a profile that cannot be waited for (a kernel without
// pidfd) is looked for again this often.
constexpr auto kUnwatchedLook = std::chrono::seconds(30);

// Whether a change in a watched folder may change which profiles exist or
// run: a mark made or taken away, profiles.ini written, a folder made or
// gone, or the watched folder itself gone.
bool Matters(const platform::FolderChange& change) {
  static const std::set<std::string> kMarks = {"SingletonLock", "lock", ".parentlock", "profiles.ini"};
  return change.folder_gone || change.is_folder || kMarks.count(change.name) != 0;
}

// "2026-12-08 14:03" in local time.
std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[32] = {};
  if (localtime_r(&now, &local) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) {
    return "?";
  }
  return text;
}

// "<when> Chromium Default, Chromium Work: removed 120 files, 4,567 bytes
// (for good); disk space regained 8,192 bytes".
std::string CleaningLine(const Report& report) {
  std::string names;
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::uint64_t failed = 0;
  for (const ItemResult& item : report.items) {
    if (names.find(item.target.name) == std::string::npos) names += (names.empty() ? "" : ", ") + item.target.name;
    files += item.removed_files;
    bytes += item.removed_bytes;
    failed += item.failed.size();
  }
  const bool recycle = report.items.empty() || report.items.front().target.recycle;
  std::string line = Now() + " " + PrintableText(names) + ": removed " + Counted(files, "file") + ", " +
                     Counted(bytes, "byte") + (recycle ? " (trash)" : " (for good)");
  if (failed > 0) line += ", " + std::to_string(failed) + " could not be removed";
  if (report.space_regained && !recycle) line += "; disk space regained " + Counted(*report.space_regained, "byte");
  return line;
}

// The options of a cleaning nobody watches: a folder passed by does not end it.
Options Unattended(Options options) {
  options.keep_going = true;
  return options;
}

class Watch {
 public:
  Watch(const Options& options, const std::atomic<bool>& stop, std::ostream& out)
      : options_(Unattended(options)), stop_(stop), out_(out), closings_(std::chrono::seconds(options.delay)) {}

  int Run() {
    if (!folders_.ok()) {
      Complain(std::string("cannot watch folders: ") + std::strerror(errno));
      return kExitStopped;
    }
    Look();
    if (!options_.quiet) Complain("watching " + Counted(watched_, "browser profile"));
    while (!stop_.load()) {
      const Clock::time_point now = Clock::now();
      if (const std::optional<Clock::time_point> due = closings_.NextDue(); due && *due <= now) {
        Look();  // a browser that opened again in the wait keeps its caches
        Clean(closings_.TakeDue(now));
        continue;
      }
      if (look_at_ && *look_at_ <= now) Look();
      Wait();
    }
    return kExitDone;
  }

 private:
  // Finds the profiles, notes which run and watches their marks, the places
  // where new ones appear and the processes that hold them.
  void Look() {
    look_at_.reset();
    BrowserProfiles found = FindBrowserProfiles(UserCacheSearchPlaces());
    std::erase_if(found.profiles, [&](const BrowserProfile& profile) { return !Chosen(profile.browser, options_.browsers); });
    closings_.Look(found.profiles, Clock::now());
    std::set<std::string> folders = std::move(found.appear_in);
    std::set<pid_t> holders;
    std::set<BrowserClosings::Key> named;  // a Chromium browser's caches shared by its profiles are no profile
    for (const BrowserProfile& profile : found.profiles) {
      if (!profile.profile.empty()) named.insert({profile.browser, profile.profile});
      if (profile.marks.empty()) continue;
      folders.insert(profile.marks);
      if (!profile.running) continue;
      const std::set<pid_t> pids = ProfileHolders(profile.marks);
      holders.insert(pids.begin(), pids.end());
    }
    watched_ = named.size();
    folders_.WatchOnly(folders);
    switch (ends_.WatchOnly(holders)) {
      case platform::ProcessEnds::kAll: break;
      case platform::ProcessEnds::kEnded: look_at_ = Clock::now(); break;
      case platform::ProcessEnds::kUnwatched: look_at_ = Clock::now() + kUnwatchedLook; break;
    }
  }

  // Sleeps until a watched folder changes, a holder ends, a closed browser
  // is due or a signal comes, and looks again when that may tell something.
  void Wait() {
    std::vector<pollfd> fds = {{folders_.fd(), POLLIN, 0}};
    for (const int fd : ends_.Fds()) fds.push_back({fd, POLLIN, 0});
    std::optional<Clock::time_point> wake = closings_.NextDue();
    if (look_at_ && (!wake || *look_at_ < *wake)) wake = look_at_;
    timespec timeout{};
    if (wake) {
      // Rounded up, so that the wait never ends just before the time.
      constexpr long long kNanoseconds = 1'000'000'000;
      const long long left =
          std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(Clock::duration::zero(), *wake - Clock::now()))
              .count() + 1;
      timeout.tv_sec = static_cast<time_t>(left / kNanoseconds);
      timeout.tv_nsec = static_cast<long>(left % kNanoseconds);
    }
    // The signals that stop the watch get through only while it sleeps, so
    // one that comes just before the sleep still ends it.
    sigset_t stopping;
    sigset_t before;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopping, &before);
    const int ready = stop_.load() ? 0 : ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, &before);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (ready <= 0) return;
    bool look = false;
    if ((fds[0].revents & POLLIN) != 0) {
      for (const platform::FolderChange& change : folders_.Take()) look = look || Matters(change);
    }
    for (std::size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      ends_.Ended(fds[i].fd);
      look = true;
    }
    if (look) Look();
  }

  // Empties the caches of the profiles due, in one run, and tells of it.
  void Clean(const std::set<BrowserClosings::Key>& due) {
    if (due.empty()) return;
    Report report = RunBrowsersCleaning(
        options_, [&](const std::string& browser, const std::string& profile) { return due.count({browser, profile}) != 0; },
        stop_);
    report.command = "watch";
    const std::string line = CleaningLine(report);
    if (const std::string problem = SaveWatchLast(line); !problem.empty()) {
      Complain("cannot keep the last cleaning in " + PrintableText(WatchLastPath()) + ": " + problem);
    }
    if (options_.json) {
      WriteJson(report, out_);
    } else if (!options_.quiet) {
      out_ << line << '\n';
    }
    out_.flush();
  }

  const Options options_;
  const std::atomic<bool>& stop_;
  std::ostream& out_;
  BrowserClosings closings_;
  platform::FolderChanges folders_;
  platform::ProcessEnds ends_;
  std::optional<Clock::time_point> look_at_;  // when to look again without being told
  std::size_t watched_ = 0;
};

}  // namespace

int WatchCommand(const Options& options, const std::atomic<bool>& stop, std::ostream& out) {
  return Watch(options, stop, out).Run();
}

}  // namespace vorlix::clean_tool
