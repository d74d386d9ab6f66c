// SPDX-License-Identifier: MIT

#include "support/single_instance.h"

#include <memory>

#include "platform/instance_lock.h"
#include "platform/local_socket.h"

namespace vorlix {
namespace {

constexpr std::size_t kNameLimit = 255;
std::unique_ptr<TPreviousInstance> process_instance;

}  // namespace

InstanceNames NamesFromProgramPath(const std::string& program_path) {
  const std::size_t separator = program_path.find_last_of("\\/:");
  InstanceNames names;
  names.file_name = program_path.substr(separator == std::string::npos ? 0 : separator + 1, kNameLimit);
  if (names.file_name.find(".EXE") != std::string::npos) {
    names.window_title = names.file_name.substr(0, names.file_name.size() - 4);
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
  if (listener_ >= 0) platform::StopListening(listener_, socket_path_);
  if (lock_ >= 0) platform::ReleaseNamedLock(lock_);
}

std::optional<std::string> TPreviousInstance::ReadRaiseRequest() const {
  if (listener_ < 0) return std::nullopt;
  return platform::ReceiveMessage(listener_, kNameLimit);
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
