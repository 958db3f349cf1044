#include "RandomSource.h"

#include <chrono>
#include <stdexcept>

namespace sorato {

namespace {

// Seeds from a 64-bit value and a count of reseeds, so that no two reseeds start alike.
void reseed(std::mt19937& generator, std::uint64_t value, std::uint64_t count) {
  std::seed_seq seed{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32),
                     static_cast<std::uint32_t>(count)};
  generator.seed(seed);
}

// 24 random bits times 2^-24: every value is an exact float, and the largest is below 1.
float uniform(std::mt19937& generator) {
  return static_cast<float>(generator() >> 8) * 0x1p-24f;
}

}  // namespace

void ClockRandom::ReseedFromClock() {
  const auto ticks = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  reseed(generator_, ticks, ++reseeds_);
}

float ClockRandom::NextUniform() {
  return uniform(generator_);
}

void SeededRandom::ReseedFromClock() {
  reseed(generator_, seed_, ++reseeds_);
}

float SeededRandom::NextUniform() {
  return uniform(generator_);
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
