// SPDX-License-Identifier: MIT
// The application object: an exception that leaves an event handler is shown
// in an error box and the program carries on, as the toolkit's top-level
// handler would.
#pragma once

#include <QApplication>

namespace vorlix {

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vorlix
