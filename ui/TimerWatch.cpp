#include "TimerWatch.h"

namespace sorato {

TimerWatch::TimerWatch(ControlModel& model, std::function<std::int64_t()> now,
                       std::int64_t unitsPerMs, std::function<void(Entry&)> changed)
    : model_(model), now_(std::move(now)), unitsPerMs_(unitsPerMs), changed_(std::move(changed)) {
  for (Control* c : model_.all()) {
    if (c->kind() != Kind::Timer) continue;
    entries_.push_back({c, c->Enabled, {}});
  }
  // A timer created enabled with an interval runs from the moment the window exists.
  for (Entry& e : entries_) {
    if (e.enabled) restart(e);
  }
  model_.addObserver(this);
}

TimerWatch::~TimerWatch() {
  model_.removeObserver(this);
}

TimerWatch::Entry* TimerWatch::nextDue() {
  Entry* best = nullptr;
  for (Entry& e : entries_) {
    if (e.schedule.running() && (best == nullptr || e.schedule.due() < best->schedule.due())) {
      best = &e;
    }
  }
  return best;
}

void TimerWatch::restart(Entry& e) {
  if (e.enabled && ControlModel::ticking(*e.timer)) {
    e.schedule.start(now_(), static_cast<std::int64_t>(e.timer->Interval.get()) * unitsPerMs_);
  } else {
    e.schedule.stop();
  }
  if (changed_) changed_(e);
}

void TimerWatch::propertyWritten(Control& c, Prop p) {
  if (c.kind() != Kind::Timer) return;
  for (Entry& e : entries_) {
    if (e.timer != &c) continue;
    if (p == Prop::Interval) {
      restart(e);  // a new interval, even an equal one, starts a new countdown
    } else if (p == Prop::Enabled) {
      const bool was = e.enabled;
      e.enabled = c.Enabled;
      if (was != e.enabled) restart(e);
    }
  }
}

void TimerWatch::unloaded() {
  for (Entry& e : entries_) {
    e.enabled = false;
    e.schedule.stop();
    if (changed_) changed_(e);
  }
}

}  // namespace sorato
