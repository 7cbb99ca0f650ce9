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
#include "solve_sample.h"
#include "support/cube_helpers.h"

namespace {

// Built here, with no store installed: each table's megabytes and seconds.
void BiggerTables(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (PrepareBiggerTables() != TableResult::kReady) state.SkipWithError("the tables could not be had");
    state.counters["s_all"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const DistanceTable* tables[16];
  ReportTables(state, tables, BiggerTablesOf(tables, 16));
}
BENCHMARK(BiggerTables)->Unit(benchmark::kSecond)->Iterations(1);

void BiggerSolve(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const double limitSeconds = static_cast<double>(state.range(1)) / 1000;
  if (PrepareBiggerTables() != TableResult::kReady) state.SkipWithError("the tables could not be had");
  static const char* const kStages[6] = {"centres", "wing parity", "edges", "parity", "3x3x3", "5x5x5"};
  double stages[6] = {};
  int solved = 0;
  // PLEXARO_BIGGER_PATTERNS sets how many patterns each run takes.
  SamplePatterns(state, n, limitSeconds, PatternCountFrom("PLEXARO_BIGGER_PATTERNS"), SolveBiggerWithPhases,
                 [&](const PhaseAnswer& answer) {
                   ++solved;
                   for (int s = 0; s < answer.spanCount; ++s)
                     for (int k = 0; k < 6; ++k)
                       if (std::strcmp(answer.spans[s].name, kStages[k]) == 0)
                         stages[k] += OuterBlockTurns(answer.moves + answer.spans[s].begin,
                                                      answer.spans[s].end - answer.spans[s].begin, n);
                 });
  for (int k = 0; k < 6 && solved > 0; ++k) {
    std::string name = std::string("obtm_") + kStages[k];
    for (char& c : name) c = c == ' ' ? '_' : c;
    state.counters[name] = stages[k] / solved;
  }
}
// Arguments: the size, then the limit in milliseconds (0: the first answer).
BENCHMARK(BiggerSolve)->ArgsProduct({{6, 7, 8, 9, 10}, {0, 1000}})->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
