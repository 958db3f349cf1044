#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/WallClock.h"

namespace sorato::web {

// The wait of the model's timers in a browser: one setTimeout per timer, armed for the
// absolute moment of its next tick on performance.now() (in microseconds here).  A
// browser's timer may fire a little early: WallClock then waits on.
class PageClock {
 public:
  explicit PageClock(ControlModel& model);
  ~PageClock();
  PageClock(const PageClock&) = delete;
  PageClock& operator=(const PageClock&) = delete;

  static std::int64_t nowUs();
  void setTickObserver(WallClock::TickObserver observer) {
    clock_->setTickObserver(std::move(observer));
  }

 private:
  void arm(std::size_t i, std::optional<std::int64_t> due);
  static void fired(void* waiter);

  struct Waiter {
    PageClock* clock;
    std::size_t index;
    long handle = 0;  // the browser's timeout, 0 when none is set
  };
  std::vector<std::unique_ptr<Waiter>> waiters_;
  std::unique_ptr<WallClock> clock_;
};

}  // namespace sorato::web
