// SPDX-License-Identifier: MIT
// Whether a browser runs on a profile, read from the marks the browser leaves in the profile.
#include "cleaning/browser_locks.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/host_folders.h"
#include "platform/processes.h"

namespace vorlix {
namespace {

// The process id after the last `separator` of a lock link's target.
std::optional<pid_t> LockPid(std::string_view target, std::string_view separator) {
  const std::size_t at = target.rfind(separator);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view digits = target.substr(at + separator.size());
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) return std::nullopt;
  return pid;
}

// The live process a Mozilla profile's "lock" link names.
std::optional<pid_t> MozillaLockPid(const std::string& profile_folder) {
  const std::optional<std::string> target = platform::LinkTarget(platform::JoinHostPath(profile_folder, "lock"));
  if (!target) return std::nullopt;
  const std::optional<pid_t> pid = LockPid(*target, ":+");
  if (!pid || !platform::IsProcessAlive(*pid)) return std::nullopt;
  return pid;
}

// What a Chromium user-data folder's "SingletonLock" names: its process id
// and whether that is of this host.
struct SingletonLock {
  pid_t pid = 0;
  bool this_host = false;
};

std::optional<SingletonLock> ChromiumLock(const std::string& user_data_folder) {
  const std::optional<std::string> target =
      platform::LinkTarget(platform::JoinHostPath(user_data_folder, "SingletonLock"));
  if (!target) return std::nullopt;
  const std::optional<pid_t> pid = LockPid(*target, "-");
  if (!pid) return std::nullopt;
  const std::string_view host = std::string_view(*target).substr(0, target->rfind('-'));
  return SingletonLock{*pid, host == platform::HostName()};
}

}  // namespace

bool MozillaProfileInUse(const std::string& profile_folder) {
  return platform::IsFileLocked(platform::JoinHostPath(profile_folder, ".parentlock")) ||
         MozillaLockPid(profile_folder).has_value();
}

bool ChromiumProfileInUse(const std::string& user_data_folder) {
  const std::optional<SingletonLock> lock = ChromiumLock(user_data_folder);
  return lock && (!lock->this_host || platform::IsProcessAlive(lock->pid));
}

std::set<pid_t> ProfileHolders(const std::string& marks_folder) {
  std::set<pid_t> holders;
  if (const std::optional<pid_t> pid = MozillaLockPid(marks_folder)) holders.insert(*pid);
  pid_t holder = 0;
  if (platform::IsFileLocked(platform::JoinHostPath(marks_folder, ".parentlock"), &holder) && holder > 0) {
    holders.insert(holder);
  }
  const std::optional<SingletonLock> lock = ChromiumLock(marks_folder);
  if (lock && lock->this_host && platform::IsProcessAlive(lock->pid)) holders.insert(lock->pid);
  return holders;
}

}  // namespace vorlix
