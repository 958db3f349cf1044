#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/WallClock.h"

namespace sorato::web {

// The wait of the model's timers in a browser, on performance.now() (in microseconds
// here), drawn on the display's frames.  A tick is taken in the animation frame nearest
// its due moment: while a timer runs, every frame takes the ticks due by the middle of
// the gap to the next frame, so that what a tick puts up is drawn in that frame.  A
// schedule started by the person (始, or 再 after a pause) counts from the frame that
// first shows what the start put up.  So every exposure lasts the whole number of frames
// nearest its time, and a late frame costs only itself.  Every tick is taken at its due
// moment: the game's clock reads that moment in the handler, as on the driver's clock.
// One setTimeout per timer, armed for the due moment itself, takes a tick no frame has
// taken (no frames come, or they come late); a browser's timer may fire a little early:
// WallClock then waits on.
class PageClock {
 public:
  explicit PageClock(ControlModel& model);
  ~PageClock();
  PageClock(const PageClock&) = delete;
  PageClock& operator=(const PageClock&) = delete;

  static std::int64_t nowUs();
  void setTickObserver(WallClock::TickObserver observer) {
    clock_->setTickObserver(std::move(observer));
  }

 private:
  struct Waiter {
    PageClock* clock;
    std::size_t index;
    long handle = 0;                  // the browser's timeout, 0 when none is set
    std::optional<std::int64_t> due;  // the next tick, while the timer runs
    bool fromInput = false;           // started outside a tick: counted from the next frame
    bool anchored = false;            // so counted already
  };

  void arm(std::size_t i, std::optional<std::int64_t> due);
  static void fired(void* waiter);
  static int frame(double time, void* clock);
  void takeTicksUpTo(std::int64_t horizon);
  double framePeriod(double time);

  std::vector<std::unique_ptr<Waiter>> waiters_;
  std::unique_ptr<WallClock> clock_;
  std::optional<std::int64_t> pinned_;  // the game's time while a frame takes a tick
  long frameRequest_ = 0;
  double lastFrame_ = 0;
  std::array<double, 9> gaps_{};  // the latest gaps between frames, in ms
  std::size_t gapCount_ = 0;
};

}  // namespace sorato::web
