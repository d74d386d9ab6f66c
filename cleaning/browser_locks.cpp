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

}  // namespace

bool MozillaProfileInUse(const std::string& profile_folder) {
  if (platform::IsFileLocked(platform::JoinHostPath(profile_folder, ".parentlock"))) return true;
  const std::optional<std::string> target = platform::LinkTarget(platform::JoinHostPath(profile_folder, "lock"));
  if (!target) return false;
  const std::optional<pid_t> pid = LockPid(*target, ":+");
  return pid && platform::IsProcessAlive(*pid);
}

bool ChromiumProfileInUse(const std::string& user_data_folder) {
  const std::optional<std::string> target =
      platform::LinkTarget(platform::JoinHostPath(user_data_folder, "SingletonLock"));
  if (!target) return false;
  const std::optional<pid_t> pid = LockPid(*target, "-");
  if (!pid) return false;
  const std::string_view host = std::string_view(*target).substr(0, target->rfind('-'));
  return host != platform::HostName() || platform::IsProcessAlive(*pid);
}

}  // namespace vorlix
