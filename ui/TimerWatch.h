#pragma once

#include <cstdint>
#include <functional>

#include "ControlModel.h"
#include "TickSchedule.h"

namespace sorato {

// Applies the timer rule to the timers of the model: while Enabled is true and Interval
// is above 0 a timer ticks every Interval ms, the first tick Interval ms after it was
// enabled or given its interval.  A clock supplies the time and is told when a timer's
// schedule changed, so that it can wait for the next due tick.
class TimerWatch : public ModelObserver {
 public:
  struct Entry {
    Control* timer = nullptr;
    bool enabled = false;  // as last seen, to tell a false-to-true change
    TickSchedule schedule;
  };

  // `now` gives the time in the clock's unit; `unitsPerMs` converts Interval.
  TimerWatch(ControlModel& model, std::function<std::int64_t()> now, std::int64_t unitsPerMs,
             std::function<void(Entry&)> changed = {});
  ~TimerWatch() override;
  TimerWatch(const TimerWatch&) = delete;
  TimerWatch& operator=(const TimerWatch&) = delete;

  std::vector<Entry>& entries() { return entries_; }
  // The running entry with the earliest due tick (creation order breaks ties), or null.
  Entry* nextDue();

  void propertyWritten(Control& c, Prop p) override;
  void unloaded() override;

 private:
  void restart(Entry& e);

  ControlModel& model_;
  std::function<std::int64_t()> now_;
  std::int64_t unitsPerMs_;
  std::function<void(Entry&)> changed_;
  std::vector<Entry> entries_;
};

}  // namespace sorato
