// SPDX-License-Identifier: MIT

#include "tests/common/test_env.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorlix::test {
namespace {

std::string CreateRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorlix-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  for (const char* sub : {"/home", "/config", "/data", "/runtime"}) {
    if (mkdir((pattern + sub).c_str(), 0700) != 0) std::abort();
  }
  setenv("HOME", (pattern + "/home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (pattern + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (pattern + "/runtime").c_str(), 1);
  return pattern;
}

struct RootGuard {
  std::string path = CreateRoot();
  ~RootGuard() {
    std::error_code ignored;
    // Tests may leave read-only files behind; give write permission back first.
    for (auto it = std::filesystem::recursive_directory_iterator(path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      if (!it->is_symlink(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

const std::string& TestRoot() {
  static RootGuard root;
  return root.path;
}

std::string MakeTempDir(const std::string& hint) {
  static std::atomic<int> counter{0};
  std::string path = TestRoot() + "/" + hint + "-" + std::to_string(++counter);
  std::filesystem::create_directories(path);
  return path;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  ASSERT_TRUE(out.good()) << "cannot write " << path;
  out << content;
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

void MakePipeAndSocket(const std::string& folder) {
  ASSERT_EQ(mkfifo((folder + "/pipe").c_str(), 0600), 0) << folder;
  // A socket's path must be short: it is bound in a folder of the test root and moved.
  const std::string bound = MakeTempDir("s") + "/socket";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(bound.size(), sizeof address.sun_path) << bound;
  bound.copy(address.sun_path, bound.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  const int bound_result = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  close(fd);
  ASSERT_EQ(bound_result, 0) << bound;
  ASSERT_EQ(rename(bound.c_str(), (folder + "/socket").c_str()), 0) << folder;
}

}  // namespace vorlix::test
