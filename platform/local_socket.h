// SPDX-License-Identifier: MIT
// One-shot text messages between processes of the same user over a local
// (AF_UNIX) stream socket at a path: the sender connects, writes and closes; the
// receiver reads until the sender closes, never waiting for a slow sender.
#pragma once

#include <cstddef>
#include <string>

namespace vorlix::platform {

// Listens at a path, replacing a socket file that a dead listener left there.
// The descriptor does not block; -1 when the socket cannot be made (also when
// the path is too long for a socket address).
int ListenAtPath(const std::string& path);
// Closes the listening socket and removes its file.
void StopListening(int listener, const std::string& path);

// Accepts one waiting sender of this user without waiting: its connection,
// which does not block, or -1 when none waits. Senders of other users are
// turned away.
int AcceptFromThisUser(int listener);

enum class ReadState { kOpen, kEnded, kFailed };
// Appends what has arrived on a connection to `text`, up to `limit` bytes in
// all, without waiting. kEnded once the sender has closed or the limit is
// reached (a longer message is cut); kOpen while more may come.
ReadState ReadArrived(int connection, std::string& text, std::size_t limit);
void CloseConnection(int connection);

// Sends a message to the listener at a path; false when there is none or the
// message could not be written.
bool SendMessage(const std::string& path, const std::string& message);

}  // namespace vorlix::platform
