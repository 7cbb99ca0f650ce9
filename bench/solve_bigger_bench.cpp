// Benchmarks of the 6×6×6 to 10×10×10 solver: its centre tables' sizes and build times, then per size
// and limit, answers' outer block turns (mean, worst), block turns and each stage's share, and the
// seconds they took (median, worst), over patterns of 40·N random single-layer turns and a rotation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "solve/phase/answer_moves.h"
#include "solve/phase/bigger/bigger_solve.h"
#include "solve/phase/phase_table.h"
#include "support/cube_helpers.h"

namespace {

// PLEXARO_BIGGER_PATTERNS sets how many patterns each run takes (100 by default).
int PatternCount() {
  const char* text = std::getenv("PLEXARO_BIGGER_PATTERNS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

// Built here, with no store installed: each table's megabytes and seconds.
void BiggerTables(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (PrepareBiggerTables() != TableResult::kReady) state.SkipWithError("the tables could not be had");
    state.counters["s_all"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const DistanceTable* tables[16];
  const int count = BiggerTablesOf(tables, 16);
  double bytes = 0;
  for (int k = 0; k < count; ++k) {
    bytes += static_cast<double>(tables[k]->Bytes());
    state.counters[std::string("MB_") + tables[k]->Name()] = tables[k]->Bytes() / 1e6;
    state.counters[std::string("s_") + tables[k]->Name()] = tables[k]->BuildSeconds();
  }
  state.counters["MB_all"] = bytes / 1e6;
}
BENCHMARK(BiggerTables)->Unit(benchmark::kSecond)->Iterations(1);

void BiggerSolve(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double limitSeconds = static_cast<double>(state.range(1)) / 1000;
  if (PrepareBiggerTables() != TableResult::kReady) state.SkipWithError("the tables could not be had");
  static PhaseAnswer answer;
  std::vector<double> outer, block, seconds;
  double stages[5] = {};
  static const char* const kStages[5] = {"centres", "wing parity", "edges", "parity", "3x3x3"};
  int failed = 0;
  for (auto _ : state) {
    Lcg lcg{static_cast<uint32_t>(n * 7919)};
    for (int p = 0; p < PatternCount(); ++p) {
      RandomLayerPattern(n, lcg);
      SolveLimit limit;
      limit.seconds = limitSeconds;
      const auto start = std::chrono::steady_clock::now();
      const PhaseSolveStatus status = SolveBiggerWithPhases(n, document.cube.live, limit, &answer);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (status != PhaseSolveStatus::kSolved) {
        ++failed;
        continue;
      }
      outer.push_back(answer.outerBlockTurns);
      block.push_back(answer.blockTurns);
      for (int s = 0; s < answer.spanCount; ++s)
        for (int k = 0; k < 5; ++k)
          if (std::strcmp(answer.spans[s].name, kStages[k]) == 0)
            stages[k] += OuterBlockTurns(answer.moves + answer.spans[s].begin,
                                         answer.spans[s].end - answer.spans[s].begin, n);
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
    for (int k = 0; k < 5; ++k) {
      std::string name = std::string("obtm_") + kStages[k];
      for (char& c : name) c = c == ' ' ? '_' : c;
      state.counters[name] = stages[k] / outer.size();
    }
  }
  state.counters["s_median"] = seconds[seconds.size() / 2];
  state.counters["s_worst"] = seconds.back();
  state.counters["failed"] = failed;
  StartSolved(3);
}
// Arguments: the size, then the limit in milliseconds (0: the first answer).
BENCHMARK(BiggerSolve)->ArgsProduct({{6, 7, 8, 9, 10}, {0, 1000}})->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
