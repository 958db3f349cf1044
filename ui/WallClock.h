#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "ControlModel.h"
#include "TimerWatch.h"

namespace sorato {

// The timers of the model on a real clock.  A platform supplies only the time and one
// wait per timer, armed for an absolute moment (the timers are numbered from 0 by the
// order of their arming: a platform makes a timer's wait when it is first armed); when a wait ends,
// woke() delivers the tick if it is due, or waits on if the wait ended early (a browser's timer may
// fire a little before its moment) or the timer was re-armed meanwhile.  However late a tick is
// taken, it is one tick, and the schedule goes on from start + n x Interval.
class WallClock {
 public:
  // Arms the wait of timer `i` for the absolute moment `due`, or disarms it.
  using Arm = std::function<void(std::size_t i, std::optional<std::int64_t> due)>;
  // Told of every tick: the timer, the moment it was due and the moment its handler
  // started, in the clock's unit.
  using TickObserver = std::function<void(Control&, std::int64_t due, std::int64_t ran)>;

  WallClock(ControlModel& model, std::function<std::int64_t()> now, std::int64_t unitsPerMs,
            Arm arm);
  WallClock(const WallClock&) = delete;
  WallClock& operator=(const WallClock&) = delete;

  void woke(std::size_t i);
  // Starts timer `i`'s schedule again from `start`, if it runs and has not ticked yet:
  // for a platform that counts a schedule from when its start was first seen.
  void restartAt(std::size_t i, std::int64_t start);
  void setTickObserver(TickObserver observer) { tickObserver_ = std::move(observer); }

 private:
  void arm(TimerWatch::Entry& e);

  ControlModel& model_;
  std::function<std::int64_t()> now_;
  Arm arm_;
  std::unique_ptr<TimerWatch> timers_;
  TickObserver tickObserver_;
};

}  // namespace sorato
