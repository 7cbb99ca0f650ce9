// Benchmarks of the 4×4×4 and 5×5×5 phase solvers: the tables' sizes and build times, then per size
// and limit, answers' outer block turns (mean, worst) and block turns, and the seconds they took
// (median, worst), over patterns of 40·N random single-layer turns and a random rotation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef __linux__
#include <sys/resource.h>
#endif

#include "solve/phase/phase_solve.h"
#include "solve/phase/phase_table.h"
#include "solve_sample.h"
#include "support/cube_helpers.h"

namespace {

// Built here, with no store installed: each table's megabytes and seconds, and the process's peak memory.
void PhaseTables(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (PreparePhaseTables(n) != TableResult::kReady) state.SkipWithError("the tables could not be had");
    state.counters["s_all"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const DistanceTable* tables[16];
  ReportTables(state, tables, PhaseTablesOf(n, tables, 16));
#ifdef __linux__
  // The most the process has held so far: every size's tables built up to this one, and their work space.
  rusage usage;
  if (getrusage(RUSAGE_SELF, &usage) == 0) state.counters["MB_peak"] = usage.ru_maxrss / 1e3;
#endif
}
BENCHMARK(PhaseTables)->Arg(4)->Arg(5)->Unit(benchmark::kSecond)->Iterations(1);

void PhaseSolve(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double limitSeconds = static_cast<double>(state.range(1)) / 1000;
  if (PreparePhaseTables(n) != TableResult::kReady) state.SkipWithError("the tables could not be had");
  // PLEXARO_PHASE_PATTERNS sets how many patterns each run takes.
  SamplePatterns(state, n, limitSeconds, PatternCountFrom("PLEXARO_PHASE_PATTERNS"), SolveWithPhases,
                 [](const PhaseAnswer&) {});
}
// Arguments: the size, then the limit in milliseconds (0: the first answer).
BENCHMARK(PhaseSolve)
    ->Args({4, 0})
    ->Args({4, 1000})
    ->Args({5, 0})
    ->Args({5, 1000})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace
