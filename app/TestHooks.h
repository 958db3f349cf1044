#pragma once

// Built into the tests' builds of the program only (sorato-test, sorato-test.exe), never
// into what is handed out: a test plays the driver's game in the real window and reads
// what the window ended in, and may hold the game's time in its own hands.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "Expression.h"
#include "Sorato.h"
#include "ui/VirtualClock.h"

namespace sorato::test_hooks {

// The draws come first from SORATO_RANDOM (decimal values separated by spaces, each as
// the driver's `random` takes it). A value it would refuse ends the program with a
// message and status 2 before the window opens.
inline void scriptRandom(Sorato& game) {
  if (const char* values = std::getenv("SORATO_RANDOM")) {
    std::istringstream in(values);
    for (std::string word; in >> word;) {
      float r = 0;
      std::string why;
      if (!parseRandom(word, r, why)) {
        std::fprintf(stderr, "error: SORATO_RANDOM: %s\n", why.c_str());
        std::exit(2);
      }
      game.random.push(r);
    }
  }
}

// On the way out: the values of the expressions in SORATO_REPORT (the four result labels
// when it is unset), one a line, as the driver's `get` prints them (LF, as it does).
inline void report(Sorato& game) {
  const char* wanted = std::getenv("SORATO_REPORT");
  std::istringstream in(
      wanted != nullptr ? wanted : "lblA.Caption lblB.Caption lblAn.Caption lblBn.Caption");
  for (std::string expr; in >> expr;) {
    try {
      std::printf("%s\n", expressionValue(game, expr).c_str());
    } catch (const UnknownExpression& e) {
      std::printf("error: %s\n", e.reason.c_str());
    }
  }
  std::fflush(stdout);
}

// With SORATO_CLOCK set (a file's path), the game's timers run on a clock that stands
// still until the test moves it: each line "advance MS" the program reads on its
// standard input moves it on by MS ms, delivering every tick due on the way, as the
// driver's `advance` does.  Real input stays real; so that the test knows where on the
// game's clock its input falls, the program appends to that file "inputs N" once it has
// handled the Nth release of a mouse button or of a key (a key's repeats not counted),
// and "clock T" once an advance has brought the clock to T ms.
class TestClock {
 public:
  // Appends what was read to `pending` and hands on each whole line it now holds.
  template <typename Each>
  static void takeLines(std::string& pending, const char* bytes, std::size_t n, Each each) {
    pending.append(bytes, n);
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
      each(pending.substr(0, end));
      pending.erase(0, end + 1);
    }
  }

  // Whether the test asks for its clock; if not, the program runs on real time.
  static bool wanted() { return std::getenv("SORATO_CLOCK") != nullptr; }
  // The clock SORATO_CLOCK asks for, or none.
  static std::unique_ptr<TestClock> asked(ControlModel& ui) {
    const char* path = std::getenv("SORATO_CLOCK");
    if (path == nullptr) return nullptr;
    std::FILE* status = std::fopen(path, "ab");  // LF on Windows too
    if (status == nullptr) {
      std::fprintf(stderr, "error: SORATO_CLOCK: cannot write %s\n", path);
      std::exit(2);
    }
    return std::unique_ptr<TestClock>(new TestClock(ui, status));
  }
  ~TestClock() { std::fclose(status_); }
  TestClock(const TestClock&) = delete;
  TestClock& operator=(const TestClock&) = delete;

  // A line the test wrote.  Anything but "advance MS" (MS from 0 within the clock's
  // range) is the test's mistake: said, and the clock left where it is.
  void command(const std::string& line) {
    std::istringstream in(line);
    std::string verb, rest;
    long long ms = -1;
    if (!(in >> verb >> ms) || verb != "advance" || (in >> rest) || !clock_.canAdvance(ms)) {
      std::fprintf(stderr, "error: SORATO_CLOCK: not \"advance MS\": %s\n", line.c_str());
      return;
    }
    clock_.advance(ms);
    say("clock", clock_.now());
  }
  void inputHandled() { say("inputs", ++inputs_); }

 private:
  TestClock(ControlModel& ui, std::FILE* status) : clock_(ui), status_(status) {}
  void say(const char* what, long long n) {
    std::fprintf(status_, "%s %lld\n", what, n);
    std::fflush(status_);
  }

  VirtualClock clock_;
  std::FILE* status_;
  long long inputs_ = 0;
};

}  // namespace sorato::test_hooks
