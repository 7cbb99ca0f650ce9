// Benchmarks of the symmetry group beside the symmetry count it replays.
#include <benchmark/benchmark.h>

#include "analysis/analysis.h"
#include "study/symmetry_group.h"

namespace {

void ScrambleAt(int16_t size) {
  randomState = 1;
  cubeSize = size;
  FillSolved();
  CopyCube(liveCube, shadowCube);
  Scramble(liveCube, shadowCube, 1);
}

void SymmetryGroupOfScramble(benchmark::State& state) {
  ScrambleAt(static_cast<int16_t>(state.range(0)));
  static SymmetryReport report;
  for (auto _ : state) {
    FindSymmetryGroup(&report);
    benchmark::DoNotOptimize(report.symmetries);
  }
}
BENCHMARK(SymmetryGroupOfScramble)->Arg(3)->Arg(4)->Arg(10)->Unit(benchmark::kMicrosecond);

// The most any pattern asks: all 48 kept, so every comparison runs to the last cell.
void SymmetryGroupOfSolved(benchmark::State& state) {
  cubeSize = static_cast<int16_t>(state.range(0));
  FillSolved();
  CopyCube(liveCube, shadowCube);
  randomState = 1;
  static SymmetryReport report;
  for (auto _ : state) {
    FindSymmetryGroup(&report);
    benchmark::DoNotOptimize(report.symmetries);
  }
}
BENCHMARK(SymmetryGroupOfSolved)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
