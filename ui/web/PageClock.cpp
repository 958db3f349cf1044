#include "PageClock.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

namespace sorato::web {

std::int64_t PageClock::nowUs() {
  return static_cast<std::int64_t>(std::llround(emscripten_get_now() * 1000.0));
}

PageClock::PageClock(ControlModel& model) {
  clock_ = std::make_unique<WallClock>(
      model, &PageClock::nowUs, 1000,
      [this](std::size_t i, std::optional<std::int64_t> due) { arm(i, due); });
}

PageClock::~PageClock() {
  for (auto& w : waiters_) {
    if (w->handle != 0) emscripten_clear_timeout(w->handle);
  }
}

// A timer's waiter is made the first time the timer is armed or disarmed.
void PageClock::arm(std::size_t i, std::optional<std::int64_t> due) {
  while (waiters_.size() <= i) {
    waiters_.push_back(std::make_unique<Waiter>(Waiter{this, waiters_.size()}));
  }
  Waiter& w = *waiters_[i];
  if (w.handle != 0) emscripten_clear_timeout(w.handle);
  w.handle = 0;
  if (!due) return;
  const double waitMs = std::max<double>(0.0, static_cast<double>(*due - nowUs()) / 1000.0);
  w.handle = emscripten_set_timeout(&PageClock::fired, waitMs, &w);
}

void PageClock::fired(void* waiter) {
  auto& w = *static_cast<Waiter*>(waiter);
  w.handle = 0;
  w.clock->clock_->woke(w.index);
}

}  // namespace sorato::web
