#pragma once

#include <cmath>
#include <cstdint>
#include <deque>
#include <random>

#include "GameState.h"

namespace sorato {

// A uniform pseudo-random source, reseeded from the clock once per game.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void ReseedFromClock() = 0;
  // The next value r of the sequence, 0 <= r < 1; never 1.
  virtual float NextUniform() = 0;
};

// floor(r x n) with the exact product: a float times a small whole number is exact in
// double precision, so 0.99999994 gives n - 1 and never n.
inline Integer IndexBelow(float r, int n) {
  return static_cast<Integer>(std::floor(static_cast<double>(r) * n));
}

// The game's source: a Mersenne Twister whose values are 24 random bits times 2^-24, so
// every float it returns is exactly representable and below 1.  Each reseed mixes the
// high-resolution clock with a count of reseeds, so two games prepared within the same
// clock tick still differ.
class ClockRandom final : public RandomSource {
 public:
  void ReseedFromClock() override;
  float NextUniform() override;

 private:
  std::mt19937 generator_;
  std::uint64_t reseeds_ = 0;
};

// The same generator and value mapping, but "the clock" it reseeds from is a count of
// reseeds from a fixed seed: the same seed plays the same games.  For fuzzing and replays.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed) : seed_(seed) {}
  void ReseedFromClock() override;
  float NextUniform() override;

 private:
  std::uint64_t seed_;
  std::uint64_t reseeds_ = 0;
  std::mt19937 generator_;
};

// Values queued by a script come first; when the queue is empty the values come from
// another source.  Counts every call, for tests and the driver.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(RandomSource& fallback) : fallback_(fallback) {}

  // Queues r; throws std::invalid_argument unless 0 <= r < 1.
  void push(float r);
  std::size_t queued() const { return queue_.size(); }
  std::uint64_t calls() const { return calls_; }
  std::uint64_t reseeds() const { return reseeds_; }

  void ReseedFromClock() override;
  float NextUniform() override;

 private:
  RandomSource& fallback_;
  std::deque<float> queue_;
  std::uint64_t calls_ = 0;
  std::uint64_t reseeds_ = 0;
};

}  // namespace sorato
