// SPDX-License-Identifier: MIT
// One-shot text messages between processes of the same user over a local
// (AF_UNIX) stream socket at a path: the sender connects, writes and closes; the
// receiver reads until the sender closes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace vorlix::platform {

// Listens at a path, replacing a socket file that a dead listener left there.
// The descriptor does not block; -1 when the socket cannot be made (also when
// the path is too long for a socket address).
int ListenAtPath(const std::string& path);
// Closes the listening socket and removes its file.
void StopListening(int listener, const std::string& path);

// Takes one waiting message of at most `limit` bytes: nothing when no sender
// is waiting, the sender is another user, or it does not finish within a
// moment. A longer message is cut to `limit` bytes.
std::optional<std::string> ReceiveMessage(int listener, std::size_t limit);

// Sends a message to the listener at a path; false when there is none or the
// message could not be written.
bool SendMessage(const std::string& path, const std::string& message);

}  // namespace vorlix::platform
