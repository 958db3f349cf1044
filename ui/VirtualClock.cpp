#include "VirtualClock.h"

#include <algorithm>

namespace sorato {

VirtualClock::VirtualClock(ControlModel& model)
    : model_(model),
      timers_(
          model, [this] { return now_; }, 1) {}

void VirtualClock::advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  while (!model_.unloaded()) {
    TimerWatch::Entry* e = timers_.nextDue();
    if (e == nullptr || e->schedule.due() > target) break;
    now_ = std::max(now_, e->schedule.due());
    e->schedule.take(now_);
    model_.raise(*e->timer, Event::Timer);
  }
  now_ = std::max(now_, target);
}

}  // namespace sorato
