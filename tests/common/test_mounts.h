// SPDX-License-Identifier: MIT
// Mounts that a test makes and that go when they go (root only): a bind
// mount, and a small tmpfs (a file system that has no trash).
#pragma once

#include <string>

namespace vorlix::test {

class TestMount {
 public:
  ~TestMount();
  TestMount(const TestMount&) = delete;
  TestMount& operator=(const TestMount&) = delete;

  // Whether the mount could be made.
  bool ok() const { return ok_; }

 protected:
  TestMount(const std::string& source, const std::string& target, const char* type, unsigned long flags);

 private:
  std::string target_;
  bool ok_;
};

// Binds the folder `from` at the folder `to`.
class BindMount : public TestMount {
 public:
  BindMount(const std::string& from, const std::string& to);
};

// Mounts a tmpfs of 1 MiB at the folder `at`.
class TmpfsMount : public TestMount {
 public:
  explicit TmpfsMount(const std::string& at);
};

}  // namespace vorlix::test
