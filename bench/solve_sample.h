// What the phase solvers' benchmarks share: how many patterns a run takes, each table's size and build
// time, and one run over random patterns with its lengths and seconds reported as counters.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "solve/phase/phase_solve.h"
#include "solve/phase/phase_table.h"
#include "support/cube_helpers.h"

// The environment variable's count of patterns, 100 when it is unset or unreadable.
inline int PatternCountFrom(const char* variable) {
  const char* text = std::getenv(variable);
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

// Each table's megabytes and build seconds, and all of them together.
inline void ReportTables(benchmark::State& state, const DistanceTable* const* tables, int count) {
  double bytes = 0;
  for (int k = 0; k < count; ++k) {
    bytes += static_cast<double>(tables[k]->Bytes());
    state.counters[std::string("MB_") + tables[k]->Name()] = tables[k]->Bytes() / 1e6;
    state.counters[std::string("s_") + tables[k]->Name()] = tables[k]->BuildSeconds();
  }
  state.counters["MB_all"] = bytes / 1e6;
}

// Solves `patterns` random patterns of size n (40·N random single-layer turns and a rotation, the same
// ones every run) within the limit, handing each answer to `seen`; reports the outer block turns (mean,
// worst), the block turns (mean, worst), the seconds (median, worst) and how many failed.
template <class Solve, class Seen>
void SamplePatterns(benchmark::State& state, int n, double limitSeconds, int patterns, Solve solve,
                    Seen seen) {
  static PhaseAnswer answer;
  std::vector<double> outer, block, seconds;
  int failed = 0;
  for (auto _ : state) {
    Lcg lcg{static_cast<uint32_t>(n * 7919)};
    for (int p = 0; p < patterns; ++p) {
      RandomLayerPattern(n, lcg);
      SolveLimit limit;
      limit.seconds = limitSeconds;
      const auto start = std::chrono::steady_clock::now();
      const PhaseSolveStatus status = solve(n, document.cube.live, limit, &answer);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (status != PhaseSolveStatus::kSolved) {
        ++failed;
        continue;
      }
      outer.push_back(answer.outerBlockTurns);
      block.push_back(answer.blockTurns);
      seen(answer);
    }
  }
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / v.size();
  };
  std::sort(outer.begin(), outer.end());
  std::sort(block.begin(), block.end());
  std::sort(seconds.begin(), seconds.end());
  if (!outer.empty()) {
    state.counters["obtm_mean"] = mean(outer);
    state.counters["obtm_worst"] = outer.back();
    state.counters["btm_mean"] = mean(block);
    state.counters["btm_worst"] = block.back();
  }
  if (!seconds.empty()) {
    state.counters["s_median"] = seconds[seconds.size() / 2];
    state.counters["s_worst"] = seconds.back();
  }
  state.counters["failed"] = failed;
  StartSolved(3);
}
