// Benchmarks of the symmetry group beside the symmetry count it replays.
#include <benchmark/benchmark.h>

#include "analysis/analysis.h"
#include "study/symmetry_group.h"

namespace {

void SymmetryGroupOfScramble(benchmark::State& state) {
  Cube cube;
  Random random;
  MakeSolved(cube, static_cast<int>(state.range(0)));
  Scramble(cube, random, 1);
  static SymmetryReport report;
  for (auto _ : state) {
    FindSymmetryGroup(cube, random, &report);
    benchmark::DoNotOptimize(report.symmetries);
  }
}
BENCHMARK(SymmetryGroupOfScramble)->Arg(3)->Arg(4)->Arg(10)->Unit(benchmark::kMicrosecond);

// The most any pattern asks: all 48 kept, so every comparison runs to the last cell.
void SymmetryGroupOfSolved(benchmark::State& state) {
  Cube cube;
  const Random random;
  MakeSolved(cube, static_cast<int>(state.range(0)));
  static SymmetryReport report;
  for (auto _ : state) {
    FindSymmetryGroup(cube, random, &report);
    benchmark::DoNotOptimize(report.symmetries);
  }
}
BENCHMARK(SymmetryGroupOfSolved)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
