#include "RealClock.h"

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <stdexcept>

namespace sorato::qt {

namespace {
constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr std::int64_t kNsPerS = 1'000'000'000;
}  // namespace

std::int64_t RealClock::nowNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * kNsPerS + ts.tv_nsec;
}

RealClock::RealClock(ControlModel& model, QObject* parent) : QObject(parent) {
  clock_ = std::make_unique<WallClock>(
      model, &RealClock::nowNs, kNsPerMs,
      [this](std::size_t i, std::optional<std::int64_t> due) { arm(i, due); });
}

RealClock::~RealClock() {
  clock_.reset();
  for (Waiter& w : waiters_) {
    w.notifier.reset();
    if (w.fd >= 0) close(w.fd);
  }
}

// A timer's timerfd is made the first time the timer is armed or disarmed.
void RealClock::arm(std::size_t i, std::optional<std::int64_t> due) {
  while (waiters_.size() <= i) {
    const std::size_t n = waiters_.size();
    Waiter& w = waiters_.emplace_back();
    w.fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (w.fd < 0) throw std::runtime_error("timerfd_create failed");
    w.notifier = std::make_unique<QSocketNotifier>(w.fd, QSocketNotifier::Read);
    connect(w.notifier.get(), &QSocketNotifier::activated, this, [this, n] {
      std::uint64_t expirations = 0;
      if (read(waiters_[n].fd, &expirations, sizeof expirations) == sizeof expirations) {
        clock_->woke(n);
      }
    });
  }
  itimerspec spec{};  // all zero: disarmed
  if (due) {
    spec.it_value.tv_sec = static_cast<time_t>(*due / kNsPerS);
    spec.it_value.tv_nsec = static_cast<long>(*due % kNsPerS);
  }
  timerfd_settime(waiters_[i].fd, TFD_TIMER_ABSTIME, &spec, nullptr);
}

}  // namespace sorato::qt
