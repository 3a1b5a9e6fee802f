// Random numbers of the game: uniform values in [0, 1), seeded from the clock, with seams for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace tarsio {

class Random {
 public:
  using Clock = std::function<std::uint64_t()>;

  // The clock defaults to the system's steady clock in nanoseconds.
  explicit Random(Clock clock = {});
  virtual ~Random() = default;

  // Folds the clock into the generator's state. Draws stay independent even when the clock reading has
  // not changed since the previous call: the state moves on, it is never reset to the same seed.
  virtual void Randomize();
  // The next uniform number in [0, 1).
  virtual double Rnd();

  // Restarts the generator from a fixed seed (tests).
  void seed(std::uint64_t value);

 private:
  Clock clock_;
  std::mt19937_64 engine_;
};

}  // namespace tarsio
