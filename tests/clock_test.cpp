// The timer rule on the virtual clock: when ticks fall due, in which order, and what a
// new interval, a re-enabling or a slow handler does to the schedule.

#include <gtest/gtest.h>

#include "ui/TickSchedule.h"
#include "ui/VirtualClock.h"

namespace sorato {
namespace {

struct Ticks {
  ControlModel ui;
  VirtualClock clock{ui};
  std::vector<std::pair<std::string_view, std::int64_t>> log;

  Ticks() {
    for (Control* t : {&ui.Timer1, &ui.Timer2}) {
      ui.setHandler(*t, Event::Timer,
                    [this, t](const MouseArgs&) { log.emplace_back(t->name(), clock.now()); });
    }
  }
  std::vector<std::int64_t> times() const {
    std::vector<std::int64_t> out;
    for (const auto& [name, at] : log) out.push_back(at);
    return out;
  }
};

using Times = std::vector<std::int64_t>;

TEST(VirtualClock, TimerWithIntervalZeroRaisesNothingInAnHour) {
  Ticks t;
  ASSERT_TRUE(t.ui.Timer2.Enabled);
  t.clock.advance(3'600'000);
  EXPECT_TRUE(t.log.empty());
  EXPECT_EQ(t.clock.now(), 3'600'000);
}

TEST(VirtualClock, TicksEveryIntervalFromTheMomentOfEnabling) {
  Ticks t;
  t.clock.advance(250);
  t.ui.Timer1.Interval = 600;  // disabled: no schedule yet
  t.clock.advance(1000);
  EXPECT_TRUE(t.log.empty());
  t.ui.Timer1.Enabled = true;  // at 1250
  t.clock.advance(1800);
  EXPECT_EQ(t.times(), (Times{1850, 2450, 3050}));
}

TEST(VirtualClock, ANewIntervalRestartsTheCountdown) {
  Ticks t;
  t.ui.Timer1.Enabled = true;
  t.ui.Timer1.Interval = 600;
  t.clock.advance(500);
  t.ui.Timer1.Interval = 600;  // the same value still starts anew
  t.clock.advance(700);
  t.ui.Timer1.Interval = 1000;
  t.clock.advance(2000);
  EXPECT_EQ(t.times(), (Times{1100, 2200, 3200}));
}

TEST(VirtualClock, ReEnablingRestartsButEnablingAgainDoesNot) {
  Ticks t;
  t.ui.Timer1.Enabled = true;
  t.ui.Timer1.Interval = 600;
  t.clock.advance(400);
  t.ui.Timer1.Enabled = true;  // already enabled: the schedule stands
  t.clock.advance(300);
  t.ui.Timer1.Enabled = false;
  t.clock.advance(100);
  t.ui.Timer1.Enabled = true;  // at 800: a new schedule
  t.clock.advance(1200);
  EXPECT_EQ(t.times(), (Times{600, 1400, 2000}));
}

TEST(VirtualClock, TicksDueTogetherComeInCreationOrder) {
  Ticks t;
  t.ui.Timer2.Interval = 300;
  t.ui.Timer1.Enabled = true;
  t.ui.Timer1.Interval = 600;
  t.clock.advance(600);
  ASSERT_EQ(t.log.size(), 3u);
  EXPECT_EQ(t.log[1], (std::pair<std::string_view, std::int64_t>{"Timer1", 600}));
  EXPECT_EQ(t.log[2], (std::pair<std::string_view, std::int64_t>{"Timer2", 600}));
}

TEST(VirtualClock, ASlowHandlerDoesNotShiftLaterTicks) {
  Ticks t;
  t.ui.setHandler(t.ui.Timer1, Event::Timer, [&t](const MouseArgs&) {
    t.log.emplace_back("Timer1", t.clock.now());
    if (t.log.size() == 2) t.clock.spend(1500);  // the second tick's handler runs long
  });
  t.ui.Timer1.Enabled = true;
  t.ui.Timer1.Interval = 600;
  t.clock.advance(4000);
  // Due at 1800 and 2400 while the handler ran: one tick at once, then the grid again.
  EXPECT_EQ(t.times(), (Times{600, 1200, 2700, 3000, 3600}));
}

TEST(VirtualClock, AHandlerThatStopsItsTimerGetsNoFurtherTick) {
  Ticks t;
  t.ui.setHandler(t.ui.Timer1, Event::Timer, [&t](const MouseArgs&) {
    t.log.emplace_back("Timer1", t.clock.now());
    t.ui.Timer1.Enabled = false;
  });
  t.ui.Timer1.Enabled = true;
  t.ui.Timer1.Interval = 100;
  t.clock.advance(1000);
  EXPECT_EQ(t.times(), (Times{100}));
}

TEST(TickSchedule, CountsFromTheStartNeverFromTheLastTick) {
  TickSchedule s;
  s.start(1'000, 600);
  EXPECT_EQ(s.due(), 1'600);
  s.take(1'602);  // two late: the next stays on the grid
  EXPECT_EQ(s.due(), 2'200);
  s.take(4'000);  // far late: one tick, then the next point after now
  EXPECT_EQ(s.due(), 4'600);
  s.start(0, 0);
  EXPECT_FALSE(s.running());
}

}  // namespace
}  // namespace sorato
