#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/TimerWatch.h"

namespace sorato::qt {

// Runs the model's timers in the event loop on CLOCK_MONOTONIC, each tick due at an
// absolute time (start + n x Interval), waited for with a timerfd: no drift over a
// display, no millisecond rounding of the loop's own timers, and no wake-up at all while
// no timer runs.  A timer with Interval 0 is never armed.
class RealClock : public QObject {
  Q_OBJECT
 public:
  // Told of every tick: the timer, the moment it was due and the moment its handler
  // started, both in nanoseconds of CLOCK_MONOTONIC.
  using TickObserver = std::function<void(Control&, std::int64_t due, std::int64_t ran)>;

  explicit RealClock(ControlModel& model, QObject* parent = nullptr);
  ~RealClock() override;

  static std::int64_t nowNs();
  void setTickObserver(TickObserver observer) { tickObserver_ = std::move(observer); }

 private:
  struct Waiter {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
  };

  void arm(TimerWatch::Entry& e);
  void ready(std::size_t i);

  ControlModel& model_;
  std::vector<Waiter> waiters_;
  std::unique_ptr<TimerWatch> timers_;
  TickObserver tickObserver_;
};

}  // namespace sorato::qt
