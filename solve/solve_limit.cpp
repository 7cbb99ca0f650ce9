// The solve clock: the caller's, or the steady clock.
#include "solve/solve_limit.h"

#include <chrono>

double ReadSolveClock(const SolveLimit& limit) {
  if (limit.clock != nullptr) return limit.clock();
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
