// SPDX-License-Identifier: MIT
#include "tests/common/test_mounts.h"

#include <sys/mount.h>

namespace vorlix::test {

TestMount::TestMount(const std::string& source, const std::string& target, const char* type, unsigned long flags)
    : target_(target), ok_(mount(source.c_str(), target.c_str(), type, flags, "size=1m") == 0) {}

TestMount::~TestMount() {
  if (ok_) umount2(target_.c_str(), MNT_DETACH);
}

BindMount::BindMount(const std::string& from, const std::string& to) : TestMount(from, to, nullptr, MS_BIND) {}

TmpfsMount::TmpfsMount(const std::string& at) : TestMount("tmpfs", at, "tmpfs", 0) {}

}  // namespace vorlix::test
