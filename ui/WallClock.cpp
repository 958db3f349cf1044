#include "WallClock.h"

namespace sorato {

WallClock::WallClock(ControlModel& model, std::function<std::int64_t()> now,
                     std::int64_t unitsPerMs, Arm arm)
    : model_(model), now_(std::move(now)), arm_(std::move(arm)) {
  timers_ = std::make_unique<TimerWatch>(model_, now_, unitsPerMs,
                                         [this](TimerWatch::Entry& e) { this->arm(e); });
  for (TimerWatch::Entry& e : timers_->entries()) this->arm(e);
}

void WallClock::arm(TimerWatch::Entry& e) {
  if (!timers_) return;  // still being built; armed once it is
  const auto i = static_cast<std::size_t>(&e - timers_->entries().data());
  arm_(i, e.schedule.running() ? std::optional(e.schedule.due()) : std::nullopt);
}

void WallClock::restartAt(std::size_t i, std::int64_t start) {
  TimerWatch::Entry& e = timers_->entries()[i];
  if (!e.schedule.running() || e.schedule.ticked()) return;
  e.schedule.start(start, e.schedule.period());
  arm(e);
}

void WallClock::woke(std::size_t i) {
  TimerWatch::Entry& e = timers_->entries()[i];
  if (!e.schedule.running() || model_.unloaded()) return;
  const std::int64_t now = now_();
  const std::int64_t due = e.schedule.due();
  if (now < due) {
    arm(e);
    return;
  }
  e.schedule.take(now);
  arm(e);
  if (tickObserver_) tickObserver_(*e.timer, due, now);
  model_.raise(*e.timer, Event::Timer);
}

}  // namespace sorato
