#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "Headless.h"

namespace sorato {

// sorato-drive: runs the game without a window, from a script of commands read one line
// at a time (click, mousedown, raise, advance, random, get, trace), on a virtual clock.
class Driver : private ModelObserver {
 public:
  static constexpr int kEnded = 0;       // end of input, or the system ended
  static constexpr int kFailed = 2;      // a line could not be run
  static constexpr int kOutputLost = 3;  // standard output could not be written
  static constexpr int kInputLost = 4;   // standard input could not be read

  // A longer line is refused before it is held whole.
  static constexpr std::size_t kMaxLine = 1 << 20;

  // Unscripted random values come from `fallback` when given (a fixed sequence, for
  // fuzzing), else from a generator reseeded from the clock.
  Driver(std::ostream& out, std::ostream& err, RandomSource* fallback = nullptr);
  ~Driver() override;
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs every line of `in` until its end, the end of the system or the first line that
  // cannot be run; returns the exit status.  A read error of `in` (its bad bit) is no end
  // of the script: it ends the run with kInputLost.
  int run(std::istream& in);

 private:
  struct Failure {
    std::string reason;
  };

  void execute(std::string_view line);
  int failed(std::int64_t number, std::string_view reason);
  int outputLost();
  void click(std::string_view name);
  void mousedown(std::string_view name, std::string_view button, std::string_view shift,
                 std::string_view x, std::string_view y);
  void raise(std::string_view name, std::string_view event, const std::string_view* args,
             std::size_t count);
  void advance(std::string_view ms);
  void random(const std::string_view* values, std::size_t count);
  void get(std::string_view expr);
  void trace(std::string_view onOff);

  Control& control(std::string_view name) const;
  static float twips(std::string_view what, std::string_view s);
  std::string value(std::string_view expr);

  void propertyWritten(Control& c, Prop p) override;
  void eventRaised(Control& c, Event e) override;

  std::ostream& out_;
  std::ostream& err_;
  Headless game_;
  bool tracing_ = false;
};

}  // namespace sorato
