// The board's clock: milliseconds of a steady clock, with a seam for tests.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace tarsio {

using Clock = std::function<std::int64_t()>;

inline std::int64_t steadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace tarsio
