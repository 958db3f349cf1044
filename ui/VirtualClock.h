#pragma once

#include <cstdint>

#include "ControlModel.h"
#include "TimerWatch.h"

namespace sorato {

// Time for a window without a screen: it stands still until advanced, and delivers every
// timer tick that falls due on the way, at its due time, in time order.
class VirtualClock {
 public:
  explicit VirtualClock(ControlModel& model);

  // The latest moment the clock reaches: far below the end of its counter, so that the
  // due time of a tick (at most one Interval later) still fits.
  static constexpr std::int64_t kLatest = INT64_MAX - (std::int64_t{1} << 32);

  std::int64_t now() const { return now_; }
  // Whether advance(ms) stays within kLatest.
  bool canAdvance(std::int64_t ms) const { return ms >= 0 && ms <= kLatest - now_; }
  // Moves time forward by `ms`, raising every tick due up to the new time.  Ticks due at
  // the same moment come in creation order.
  void advance(std::int64_t ms);
  // Time that passes inside a handler, as if it ran long: no tick is delivered during it;
  // a tick that fell due meanwhile comes once, as soon as the handler has returned.
  void spend(std::int64_t ms) { now_ += ms; }

 private:
  ControlModel& model_;
  std::int64_t now_ = 0;
  TimerWatch timers_;
};

}  // namespace sorato
