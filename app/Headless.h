#pragma once

#include "Sorato.h"
#include "ui/VirtualClock.h"

namespace sorato {

// The game without a screen, on a virtual clock: the driver, the tests, the fuzzer and
// the screenshot tool start from it.
class Headless : public Sorato {
 public:
  explicit Headless(RandomSource* fallback = nullptr) : Sorato(fallback), clock(ui) {}

  VirtualClock clock;
};

}  // namespace sorato
