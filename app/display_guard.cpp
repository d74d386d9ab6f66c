// SPDX-License-Identifier: MIT
// Opening the display.

#include "app/display_guard.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vorlix {
namespace {

struct HeldMessage {
  QtMsgType type;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

QtMessageHandler previous_handler = nullptr;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type != QtFatalMsg) {
    Held().push_back({type, text});
    return;
  }
  // The first thing the toolkit complained about names the cause best
  // ("could not connect to display :1"); its final message is a page long.
  const QString cause = Held().empty() ? text.section('\n', 0, 0) : Held().front().text;
  std::fprintf(stderr, "vorlix: cannot open a display: %s\n", qPrintable(cause.trimmed()));
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

DisplayGuard::DisplayGuard() { previous_handler = qInstallMessageHandler(HoldMessage); }

DisplayGuard::~DisplayGuard() {
  qInstallMessageHandler(previous_handler);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context;
    qt_message_output(message.type, context, message.text);
  }
  Held().clear();
}

}  // namespace vorlix
