#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/WallClock.h"

namespace sorato::qt {

// The wait of the model's timers in the event loop on Linux: a timerfd per timer on
// CLOCK_MONOTONIC, armed for the absolute moment of its next tick, so that no tick is
// rounded to the loop's milliseconds, and nothing wakes the program while no timer runs.
class RealClock : public QObject {
  Q_OBJECT
 public:
  using TickObserver = WallClock::TickObserver;  // nanoseconds of CLOCK_MONOTONIC

  explicit RealClock(ControlModel& model, QObject* parent = nullptr);
  ~RealClock() override;

  static std::int64_t nowNs();
  void setTickObserver(TickObserver observer) { clock_->setTickObserver(std::move(observer)); }

 private:
  struct Waiter {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
  };

  void arm(std::size_t i, std::optional<std::int64_t> due);

  std::vector<Waiter> waiters_;
  std::unique_ptr<WallClock> clock_;
};

}  // namespace sorato::qt
