// SPDX-License-Identifier: MIT
// The single-instance guard.

#include "support/single_instance.h"

#include <memory>

#include "platform/ascii.h"
#include "platform/instance_lock.h"
#include "platform/local_socket.h"

namespace vorlix {
namespace {

constexpr std::size_t kNameLimit = 255;
constexpr std::size_t kPendingLimit = 8;
std::unique_ptr<TPreviousInstance> process_instance;

}  // namespace

InstanceNames NamesFromProgramPath(const std::string& program_path) {
  const std::size_t separator = program_path.find_last_of("\\/:");
  const std::string whole_name = program_path.substr(separator == std::string::npos ? 0 : separator + 1);
  InstanceNames names;
  names.file_name = whole_name.substr(0, kNameLimit);
  if (names.file_name.find(".EXE") != std::string::npos) {
    names.window_title = names.file_name.substr(0, names.file_name.size() - 4);
  } else if (whole_name.find('.') == std::string::npos) {
    // A Linux program file has no extension: it stands for NAME.EXE, whose
    // title is the name in capitals.
    for (const char c : names.file_name) names.window_title += platform::AsciiUpper(c);
  }
  return names;
}

TPreviousInstance& TPreviousInstance::Check(const std::string& program_path) {
  if (!process_instance) process_instance.reset(new TPreviousInstance(program_path));
  return *process_instance;
}

TPreviousInstance* TPreviousInstance::Current() { return process_instance.get(); }

TPreviousInstance::TPreviousInstance(const std::string& program_path)
    : names_(NamesFromProgramPath(program_path)),
      socket_path_(platform::NamedObjectPath(names_.file_name, ".sock")) {
  switch (platform::TakeNamedLock(names_.file_name, lock_)) {
    case platform::LockOutcome::kTaken:
      listener_ = platform::ListenAtPath(socket_path_);
      break;
    case platform::LockOutcome::kHeldByAnother:
      previous_ = true;
      break;
    case platform::LockOutcome::kFailed:
      break;
  }
}

TPreviousInstance::~TPreviousInstance() {
  for (const PendingRequest& request : pending_) platform::CloseConnection(request.connection);
  if (listener_ >= 0) platform::StopListening(listener_, socket_path_);
  if (lock_ >= 0) platform::ReleaseNamedLock(lock_);
}

std::vector<std::string> TPreviousInstance::TakeRaiseRequests() {
  if (listener_ < 0) return {};
  for (int connection; (connection = platform::AcceptFromThisUser(listener_)) >= 0;) {
    if (pending_.size() == kPendingLimit) {
      platform::CloseConnection(pending_.front().connection);
      pending_.erase(pending_.begin());
    }
    pending_.push_back({connection, {}});
  }
  std::vector<std::string> titles;
  for (auto it = pending_.begin(); it != pending_.end();) {
    const platform::ReadState state = platform::ReadArrived(it->connection, it->text, kNameLimit);
    if (state == platform::ReadState::kOpen) {
      ++it;
      continue;
    }
    if (state == platform::ReadState::kEnded) titles.push_back(std::move(it->text));
    platform::CloseConnection(it->connection);
    it = pending_.erase(it);
  }
  return titles;
}

std::vector<int> TPreviousInstance::PendingRaiseRequests() const {
  std::vector<int> connections;
  for (const PendingRequest& request : pending_) connections.push_back(request.connection);
  return connections;
}

void TPreviousInstance::SendRaiseRequest() const { platform::SendMessage(socket_path_, names_.window_title); }

TJustOne32::TJustOne32(const TPreviousInstance* instance) {
  if (instance == nullptr || !instance->PreviousInstance()) return;
  const std::string& title = instance->WindowTitle();
  if (!title.empty()) {
    platform::WindowSystem& windows = platform::CurrentWindowSystem();
    if (const platform::WindowHandle own = windows.FindWindow(title)) windows.SetWindowTitle(own, "something else");
    instance->SendRaiseRequest();
  }
  platform::EndProcess(0);
}

void RaiseWindowTitled(platform::WindowSystem& windows, const std::string& title) {
  if (title.empty()) return;
  const platform::WindowHandle window = windows.FindWindow(title);
  if (window == 0) return;
  if (windows.IsMinimized(window)) {
    windows.Restore(window);
  } else {
    windows.BringToTop(window);
  }
}

}  // namespace vorlix
