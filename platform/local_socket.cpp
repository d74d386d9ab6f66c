// SPDX-License-Identifier: MIT
// One-shot text messages between processes of the same user over a local (AF_UNIX) stream socket at a
// path.

#include "platform/local_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vorlix::platform {
namespace {

constexpr int kBacklog = 8;

bool AddressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path || path.find('\0') != std::string::npos) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  return true;
}

bool SenderIsThisUser(int connection) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  return getsockopt(connection, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 && credentials.uid == getuid();
}

}  // namespace

int ListenAtPath(const std::string& path) {
  sockaddr_un address;
  if (!AddressOf(path, address)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) unlink(path.c_str());
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, kBacklog) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

void StopListening(int listener, const std::string& path) {
  unlink(path.c_str());
  close(listener);
}

int AcceptFromThisUser(int listener) {
  for (;;) {
    const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return -1;
    }
    if (SenderIsThisUser(connection)) return connection;
    close(connection);
  }
}

ReadState ReadArrived(int connection, std::string& text, std::size_t limit) {
  char buffer[256];
  while (text.size() < limit) {
    const ssize_t got = read(connection, buffer, std::min(sizeof buffer, limit - text.size()));
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0) {
      return ReadState::kEnded;
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      return ReadState::kOpen;
    } else if (errno != EINTR) {
      return ReadState::kFailed;
    }
  }
  return ReadState::kEnded;
}

void CloseConnection(int connection) { close(connection); }

bool SendMessage(const std::string& path, const std::string& message) {
  sockaddr_un address;
  if (!AddressOf(path, address)) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  for (std::size_t done = 0; sent && done < message.size();) {
    const ssize_t wrote = send(fd, message.data() + done, message.size() - done, MSG_NOSIGNAL);
    if (wrote < 0 && errno == EINTR) continue;
    sent = wrote > 0;
    if (sent) done += static_cast<std::size_t>(wrote);
  }
  close(fd);
  return sent;
}

}  // namespace vorlix::platform
