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
#include "support/cube_helpers.h"

namespace {

// PLEXARO_PHASE_PATTERNS sets how many patterns each run takes (100 by default).
int PatternCount() {
  const char* text = std::getenv("PLEXARO_PHASE_PATTERNS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

// Built here, with no store installed: each table's megabytes and seconds, and the process's peak memory.
void PhaseTables(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (PreparePhaseTables(n) != TableResult::kReady) state.SkipWithError("the tables could not be had");
    state.counters["s_all"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const DistanceTable* tables[16];
  const int count = PhaseTablesOf(n, tables, 16);
  double bytes = 0;
  for (int k = 0; k < count; ++k) {
    bytes += static_cast<double>(tables[k]->Bytes());
    state.counters[std::string("MB_") + tables[k]->Name()] = tables[k]->Bytes() / 1e6;
    state.counters[std::string("s_") + tables[k]->Name()] = tables[k]->BuildSeconds();
  }
  state.counters["MB_all"] = bytes / 1e6;
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
  static PhaseAnswer answer;
  std::vector<double> outer, block, seconds;
  int failed = 0;
  for (auto _ : state) {
    Lcg lcg{static_cast<uint32_t>(n * 7919)};
    for (int p = 0; p < PatternCount(); ++p) {
      RandomLayerPattern(n, lcg);
      SolveLimit limit;
      limit.seconds = limitSeconds;
      const auto start = std::chrono::steady_clock::now();
      const PhaseSolveStatus status = SolveWithPhases(n, document.cube.live, limit, &answer);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (status != PhaseSolveStatus::kSolved) {
        ++failed;
        continue;
      }
      outer.push_back(answer.outerBlockTurns);
      block.push_back(answer.blockTurns);
    }
  }
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / v.size();
  };
  std::sort(outer.begin(), outer.end());
  std::sort(seconds.begin(), seconds.end());
  if (!outer.empty()) {
    state.counters["obtm_mean"] = mean(outer);
    state.counters["obtm_worst"] = outer.back();
    state.counters["btm_mean"] = mean(block);
  }
  state.counters["s_median"] = seconds[seconds.size() / 2];
  state.counters["s_worst"] = seconds.back();
  state.counters["failed"] = failed;
  StartSolved(3);
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
