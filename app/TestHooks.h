#pragma once

// Built into the tests' builds of the program only (sorato-test, sorato-test.exe), never
// into what is handed out: a test plays the driver's game in the real window and reads
// what the window ended in.

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "Expression.h"
#include "Sorato.h"

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

}  // namespace sorato::test_hooks
