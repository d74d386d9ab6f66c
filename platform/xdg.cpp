// SPDX-License-Identifier: MIT

#include "platform/xdg.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace vorlix::platform {
namespace {

std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  return value;
}

std::string HomeDir() {
  std::string home = AbsoluteEnv("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) return pw->pw_dir;
  return "/";
}

std::string EnvOr(const char* name, const char* below_home) {
  std::string value = AbsoluteEnv(name);
  return value.empty() ? HomeDir() + below_home : value;
}

}  // namespace

std::string ConfigHome() { return EnvOr("XDG_CONFIG_HOME", "/.config"); }
std::string DataHome() { return EnvOr("XDG_DATA_HOME", "/.local/share"); }
std::string RuntimeDir() { return AbsoluteEnv("XDG_RUNTIME_DIR"); }
std::string VorlixConfigDir() { return ConfigHome() + "/vorlix"; }

}  // namespace vorlix::platform
