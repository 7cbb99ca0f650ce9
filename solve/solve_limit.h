// How long a solve may go on looking for better answers once it has one, on a clock tests can hold.
#pragma once

#include <atomic>

struct SolveLimit {
  // From the start of the solve; 0 or less gives the first answer. The first answer is always given.
  double seconds = 1.0;
  // Seconds from any fixed start; null reads the steady clock.
  double (*clock)() = nullptr;
  // Set from another thread to end the solve as soon as it can, with no answer if it has none yet.
  const std::atomic<bool>* cancel = nullptr;
};

double ReadSolveClock(const SolveLimit& limit);
inline bool SolveCancelled(const SolveLimit& limit) {
  return limit.cancel != nullptr && limit.cancel->load(std::memory_order_relaxed);
}
