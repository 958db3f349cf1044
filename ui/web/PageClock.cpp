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
      model, [this] { return pinned_ ? *pinned_ : nowUs(); }, 1000,
      [this](std::size_t i, std::optional<std::int64_t> due) { arm(i, due); });
}

PageClock::~PageClock() {
  for (auto& w : waiters_) {
    if (w->handle != 0) emscripten_clear_timeout(w->handle);
  }
  if (frameRequest_ != 0) emscripten_cancel_animation_frame(frameRequest_);
}

// A timer's waiter is made the first time the timer is armed or disarmed.
void PageClock::arm(std::size_t i, std::optional<std::int64_t> due) {
  while (waiters_.size() <= i) {
    waiters_.push_back(
        std::make_unique<Waiter>(Waiter{this, waiters_.size(), 0, std::nullopt, false, false}));
  }
  Waiter& w = *waiters_[i];
  if (w.handle != 0) emscripten_clear_timeout(w.handle);
  w.handle = 0;
  w.due = due;
  // A schedule started outside a tick (by the person) waits for the next frame, once;
  // (re-armed after a timeout came early, it is still the same schedule).
  if (!due) w.anchored = false;
  w.fromInput = due && !pinned_ && !w.anchored;
  if (!due) return;
  const double waitMs = std::max<double>(0.0, static_cast<double>(*due - nowUs()) / 1000.0);
  w.handle = emscripten_set_timeout(&PageClock::fired, waitMs, &w);
  if (frameRequest_ == 0)
    frameRequest_ = emscripten_request_animation_frame(&PageClock::frame, this);
}

void PageClock::fired(void* waiter) {
  auto& w = *static_cast<Waiter*>(waiter);
  w.handle = 0;
  PageClock& c = *w.clock;
  if (w.due && *w.due <= nowUs()) c.pinned_ = w.due;
  c.clock_->woke(w.index);
  c.pinned_.reset();
}

int PageClock::frame(double frameTime, void* self) {
  auto& c = *static_cast<PageClock*>(self);
  c.frameRequest_ = 0;
  // The frame's time, as the browser gives it, on performance.now()'s clock; a time on
  // another (a test's stand-in clock) is replaced by the present moment.
  const double now = emscripten_get_now();
  const double time = std::abs(now - frameTime) < 100 ? frameTime : now;
  const double period = c.framePeriod(time);
  const auto frameUs = static_cast<std::int64_t>(std::llround(time * 1000.0));
  for (auto& w : c.waiters_) {
    if (!w->fromInput) continue;
    w->fromInput = false;
    w->anchored = true;
    c.pinned_ = frameUs;
    c.clock_->restartAt(w->index, frameUs);
    c.pinned_.reset();
  }
  c.takeTicksUpTo(std::llround((time + period / 2) * 1000.0));
  const bool running = std::any_of(c.waiters_.begin(), c.waiters_.end(),
                                   [](const auto& w) { return w->due.has_value(); });
  if (running && c.frameRequest_ == 0) {
    c.frameRequest_ = emscripten_request_animation_frame(&PageClock::frame, self);
  }
  return EM_FALSE;
}

// The ticks due by `horizon`, in the order they fall due (a handler may arm another),
// each taken at its due moment.
void PageClock::takeTicksUpTo(std::int64_t horizon) {
  for (int taken = 0; taken < 64; ++taken) {
    Waiter* next = nullptr;
    for (auto& w : waiters_) {
      if (w->due && *w->due <= horizon && (next == nullptr || *w->due < *next->due)) next = w.get();
    }
    if (next == nullptr) return;
    pinned_ = next->due;
    clock_->woke(next->index);
    pinned_.reset();
  }
}

// The display's frame period: the median of the latest gaps between frames (a gap of more
// than 50 ms is a pause, not a frame), 60 Hz until there are any.
double PageClock::framePeriod(double time) {
  const double gap = time - lastFrame_;
  lastFrame_ = time;
  if (gap > 0 && gap < 50) gaps_[gapCount_++ % gaps_.size()] = gap;
  const std::size_t n = std::min(gapCount_, gaps_.size());
  if (n == 0) return 1000.0 / 60;
  std::array<double, 9> sorted = gaps_;
  std::nth_element(sorted.begin(), sorted.begin() + n / 2, sorted.begin() + n);
  return sorted[n / 2];
}

}  // namespace sorato::web
