// SPDX-License-Identifier: MIT
// A lock that one process of the user holds at a time, named by a text: an
// advisory flock on a file in the user's runtime folder. The kernel releases it
// when the holder ends in any way, so a crashed holder leaves no stale lock.
#pragma once

#include <string>

namespace vorlix::platform {

// The file of a named per-user object: $XDG_RUNTIME_DIR/<name><suffix>, or,
// without a runtime folder, the temporary folder with the user id in the file
// name (vorlix-<uid>-<name><suffix>).
std::string NamedObjectPath(const std::string& name, const std::string& suffix);

enum class LockOutcome { kTaken, kHeldByAnother, kFailed };

// Takes the lock called `name` without waiting. kTaken puts the open lock in
// `handle`, which keeps it until ReleaseNamedLock. kFailed when the lock file
// cannot be opened, or belongs to another user.
LockOutcome TakeNamedLock(const std::string& name, int& handle);
void ReleaseNamedLock(int handle);

// Ends the process at once with an exit code, after flushing standard output.
[[noreturn]] void EndProcess(int exit_code);

}  // namespace vorlix::platform
