// SPDX-License-Identifier: MIT
// Where Vorlix keeps its files, after the freedesktop base-directory rules.

#include "platform/xdg.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace vorlix::platform {
namespace {

// Read at every call rather than through g_get_user_config_dir() and its kin:
// GLib keeps the first answer for the process's life, and the program's tests
// move these folders between cases.
std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  return value;
}

std::string EnvOr(const char* name, const char* below_home) {
  std::string value = AbsoluteEnv(name);
  return value.empty() ? HomeDir() + below_home : value;
}

}  // namespace

std::string HomeDir() {
  std::string home = AbsoluteEnv("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/";
}

std::string WinePrefix() { return AbsoluteEnv("WINEPREFIX"); }
std::string ConfigHome() { return EnvOr("XDG_CONFIG_HOME", "/.config"); }
std::string CacheHome() { return EnvOr("XDG_CACHE_HOME", "/.cache"); }
std::string DataHome() { return EnvOr("XDG_DATA_HOME", "/.local/share"); }
std::string RuntimeDir() {
  std::string runtime = AbsoluteEnv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (runtime.empty() || stat(runtime.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  return runtime;
}

bool InsideMissingHome(const std::string& path) {
  const std::string home = HomeDir();
  const bool inside =
      path.starts_with(home) && (path.size() == home.size() || home.ends_with('/') || path[home.size()] == '/');
  struct stat st {};
  return inside && stat(home.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

std::string VorlixConfigDir() { return ConfigHome() + "/vorlix"; }

}  // namespace vorlix::platform
