#pragma once

#include <cstdint>

namespace sorato {

// When the ticks of one timer fall due: start + n x period, counted from the moment the
// timer was enabled or given its interval, never from the previous tick, so that error
// does not add up over a display.  A tick taken late (a handler ran long) is one tick:
// the next one is the first point of the schedule after the moment it was taken.  The
// unit is the caller's (virtual milliseconds, or nanoseconds of a real clock).
class TickSchedule {
 public:
  void start(std::int64_t now, std::int64_t period) {
    start_ = now;
    period_ = period;
    n_ = 1;
    running_ = period > 0;
  }
  void stop() { running_ = false; }
  bool running() const { return running_; }
  std::int64_t period() const { return period_; }
  std::int64_t due() const { return start_ + n_ * period_; }
  // Whether a tick has been taken since the start.
  bool ticked() const { return n_ > 1; }

  // The tick due at due() is delivered at `now` (not before it).
  void take(std::int64_t now) {
    const std::int64_t next = (now - start_) / period_ + 1;
    n_ = next > n_ ? next : n_ + 1;
  }

 private:
  std::int64_t start_ = 0;
  std::int64_t period_ = 0;
  std::int64_t n_ = 1;
  bool running_ = false;
};

}  // namespace sorato
