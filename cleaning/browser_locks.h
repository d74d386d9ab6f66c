// SPDX-License-Identifier: MIT
// Whether a browser runs on a profile, read from the marks the browser
// leaves in the profile while it runs.
#pragma once

#include <sys/types.h>

#include <set>
#include <string>

namespace vorlix {

// A Mozilla profile folder is in use while its "lock" link names a live
// process ("address:+pid") or a process holds a record lock on its
// ".parentlock" file.
bool MozillaProfileInUse(const std::string& profile_folder);

// A Chromium user-data folder is in use while its "SingletonLock" link names
// this host and a live process ("host-pid"). A lock naming another host
// counts as in use: the profile may be open on that machine, and nothing
// here can tell that it is not.
bool ChromiumProfileInUse(const std::string& user_data_folder);

// The live processes of this host that hold a Mozilla profile or a Chromium
// user-data folder in use: the one its lock link ("lock", "SingletonLock")
// names and the one holding ".parentlock". Waiting for their end tells when
// the browser is gone, even when it dies without taking its marks away.
std::set<pid_t> ProfileHolders(const std::string& marks_folder);

}  // namespace vorlix
