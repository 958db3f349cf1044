#include "RandomSource.h"

#include <chrono>
#include <cmath>
#include <stdexcept>

namespace sorato {

void ClockRandom::ReseedFromClock() {
  const auto ticks = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  ++reseeds_;
  std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                     static_cast<std::uint32_t>(reseeds_)};
  generator_.seed(seed);
}

float ClockRandom::NextUniform() {
  return static_cast<float>(generator_() >> 8) * 0x1p-24f;
}

void SeededRandom::ReseedFromClock() {
  ++reseeds_;
  std::seed_seq seed{static_cast<std::uint32_t>(seed_), static_cast<std::uint32_t>(seed_ >> 32),
                     static_cast<std::uint32_t>(reseeds_)};
  generator_.seed(seed);
}

float SeededRandom::NextUniform() {
  return static_cast<float>(generator_() >> 8) * 0x1p-24f;
}

void ScriptedRandom::push(float r) {
  if (!(r >= 0.0f && r < 1.0f)) throw std::invalid_argument("random value outside 0 <= r < 1");
  queue_.push_back(r);
}

void ScriptedRandom::ReseedFromClock() {
  ++reseeds_;
  fallback_.ReseedFromClock();
}

float ScriptedRandom::NextUniform() {
  ++calls_;
  if (queue_.empty()) return fallback_.NextUniform();
  const float r = queue_.front();
  queue_.pop_front();
  return r;
}

}  // namespace sorato
