// Random numbers of the game: a 64-bit Mersenne Twister folded with the clock on every Randomize.
#include "platform/Random.h"

#include <chrono>

namespace tarsio {

namespace {
std::uint64_t steadyNanoseconds() {
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}
}  // namespace

Random::Random(Clock clock) : clock_(clock ? std::move(clock) : Clock(steadyNanoseconds)) {
  engine_.seed(clock_());
}

void Random::Randomize() { engine_.seed(engine_() ^ clock_()); }

double Random::Rnd() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

void Random::seed(std::uint64_t value) { engine_.seed(value); }

}  // namespace tarsio
