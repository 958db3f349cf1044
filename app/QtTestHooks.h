#pragma once

// The tests' build of the Linux program only: the test's clock (TestHooks.h) in Qt's
// event loop.

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <string>

#include "app/TestHooks.h"

namespace sorato::test_hooks {

// Reads the test's lines on standard input as they come, and counts each release of a
// mouse button or a key once the window has handled it (counted as it reaches the
// window, said after everything it set off).
class QtClockFeed : public QObject {
 public:
  explicit QtClockFeed(TestClock& clock)
      : clock_(clock), input_(STDIN_FILENO, QSocketNotifier::Read) {
    connect(&input_, &QSocketNotifier::activated, this, [this] { readLines(); });
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* e) override {
    const bool released =
        e->type() == QEvent::MouseButtonRelease ||
        (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat());
    if (released && receiver->isWindowType()) {
      QMetaObject::invokeMethod(
          this, [this] { clock_.inputHandled(); }, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void readLines() {
    char buf[256];
    const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
      input_.setEnabled(false);  // the test has closed its end
      return;
    }
    TestClock::takeLines(pending_, buf, static_cast<std::size_t>(n),
                         [this](const std::string& line) { clock_.command(line); });
  }

  TestClock& clock_;
  QSocketNotifier input_;
  std::string pending_;
};

}  // namespace sorato::test_hooks
