// The solver: its tables built, and answers for many random patterns, with median, tail and worst.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cube/cube.h"
#include "files/files.h"
#include "solve/solve.h"
#include "solve/solve_coordinates.h"
#include "solve/solve_corners.h"
#include "solve/solve_search.h"

namespace {

void BuildCornerTable(benchmark::State& state) {
  for (auto _ : state) FillCornerTables();
  state.counters["bytes"] = static_cast<double>(CornerTableBytes());
}
BENCHMARK(BuildCornerTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BuildTwoPhaseTables(benchmark::State& state) {
  for (auto _ : state) FillSearchTables();
  state.counters["bytes"] = static_cast<double>(sizeof searchTables);
}
BENCHMARK(BuildTwoPhaseTables)->Unit(benchmark::kMillisecond)->Iterations(3);

// Read back from a cache folder of the benchmark's own, written by the first call.
void ReadTwoPhaseTablesFromCache(benchmark::State& state) {
  char folder[] = "/tmp/plexaro-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  setenv("XDG_CACHE_HOME", folder, 1);
  if (LoadSolverTables() != kTablesBuiltAndKept) state.SkipWithError("the cache was not written");
  for (auto _ : state)
    if (LoadSolverTables() != kTablesRead) state.SkipWithError("the cache was not read");
  char path[4200];
  SolverCachePath(path, sizeof path, false);
  std::remove(path);
  std::remove((std::string(folder) + "/plexaro").c_str());
  std::remove(folder);
}
BENCHMARK(ReadTwoPhaseTablesFromCache)->Unit(benchmark::kMillisecond)->Iterations(5);

// 1,000 patterns of 60 random face turns each, solved one after another: the seconds of each answer.
void SolveMany(benchmark::State& state, int n, double limit) {
  std::vector<double> seconds;
  double faceTurns = 0;
  for (auto _ : state) {
    seconds.clear();
    faceTurns = 0;
    uint32_t lcg = 12345;
    for (int k = 0; k < 1000; ++k) {
      cubeSize = static_cast<int16_t>(n);
      FillSolved();
      CopyCube(liveCube, shadowCube);
      for (int turn = 0; turn < 60; ++turn) {
        lcg = lcg * 214013u + 2531011u;
        const int layer = static_cast<int>(lcg >> 16) % 6;
        lcg = lcg * 214013u + 2531011u;
        TurnLayer(static_cast<int16_t>(layer), static_cast<int16_t>(1 + (lcg >> 16) % 3), liveCube,
                  shadowCube);
      }
      static SolveResult result;
      SolvePattern(limit, &result);
      if (!result.solved) state.SkipWithError("a random pattern was not solved");
      seconds.push_back(result.seconds);
      faceTurns += result.lengthF;
    }
  }
  std::sort(seconds.begin(), seconds.end());
  state.counters["median_ms"] = seconds[seconds.size() / 2] * 1e3;
  state.counters["p99_ms"] = seconds[seconds.size() * 99 / 100] * 1e3;
  state.counters["worst_ms"] = seconds.back() * 1e3;
  state.counters["mean_f"] = faceTurns / 1000;
}

void SolveCorners1000(benchmark::State& state) { SolveMany(state, 2, 0); }
BENCHMARK(SolveCorners1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Stops at the first answer of at most 20 face turns.
void SolveTwoPhase1000(benchmark::State& state) { SolveMany(state, 3, 0); }
BENCHMARK(SolveTwoPhase1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
