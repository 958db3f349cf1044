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

RealClock::RealClock(ControlModel& model, QObject* parent) : QObject(parent), model_(model) {
  std::size_t count = 0;
  for (Control* c : model_.all()) count += c->kind() == Kind::Timer ? 1 : 0;
  waiters_.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    Waiter& w = waiters_[i];
    w.fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (w.fd < 0) throw std::runtime_error("timerfd_create failed");
    w.notifier = std::make_unique<QSocketNotifier>(w.fd, QSocketNotifier::Read);
    connect(w.notifier.get(), &QSocketNotifier::activated, this, [this, i] { ready(i); });
  }
  timers_ = std::make_unique<TimerWatch>(model_, &RealClock::nowNs, kNsPerMs,
                                         [this](TimerWatch::Entry& e) { arm(e); });
  for (TimerWatch::Entry& e : timers_->entries()) arm(e);
}

RealClock::~RealClock() {
  timers_.reset();
  for (Waiter& w : waiters_) {
    w.notifier.reset();
    if (w.fd >= 0) close(w.fd);
  }
}

// Arms the timerfd for the entry's next due tick, or disarms it.
void RealClock::arm(TimerWatch::Entry& e) {
  if (!timers_) return;  // still being built; armed once it is
  const auto i = static_cast<std::size_t>(&e - timers_->entries().data());
  itimerspec spec{};
  if (e.schedule.running()) {
    const std::int64_t due = e.schedule.due();
    spec.it_value.tv_sec = static_cast<time_t>(due / kNsPerS);
    spec.it_value.tv_nsec = static_cast<long>(due % kNsPerS);
  }
  timerfd_settime(waiters_[i].fd, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void RealClock::ready(std::size_t i) {
  std::uint64_t expirations = 0;
  if (read(waiters_[i].fd, &expirations, sizeof expirations) != sizeof expirations) return;
  TimerWatch::Entry& e = timers_->entries()[i];
  if (!e.schedule.running() || model_.unloaded()) return;
  const std::int64_t now = nowNs();
  const std::int64_t due = e.schedule.due();
  if (now < due) {  // re-armed meanwhile: wait on
    arm(e);
    return;
  }
  // However late, one tick; the schedule goes on from start + n x Interval.
  e.schedule.take(now);
  arm(e);
  if (tickObserver_) tickObserver_(*e.timer, due, now);
  model_.raise(*e.timer, Event::Timer);
}

}  // namespace sorato::qt
