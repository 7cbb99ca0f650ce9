// The reachability check on scrambled cubes from the smallest size to the largest, and on random colourings.
#include <benchmark/benchmark.h>

#include "cube/cube.h"
#include "study/reachability.h"

namespace {

void CheckScramble(benchmark::State& state) {
  Cube cube;
  MakeSolved(cube, static_cast<int>(state.range(0)));
  typedef void (*Operation)(Cube&);
  const Operation turns[] = {QuarterTurnU,    QuarterTurnF, QuarterTurnR,
                             TurnColumnSlice, TurnRowSlice, RotateUp};
  uint32_t lcg = 1;
  for (int k = 0; k < 200; ++k) {
    lcg = lcg * 214013u + 2531011u;
    turns[(lcg >> 16) % 6](cube);
  }
  ReachabilityReport report;
  CheckReachable(cube, &report);  // the first call derives the maps
  for (auto _ : state) {
    CheckReachable(cube, &report);
    benchmark::DoNotOptimize(report.reachable);
  }
  if (!report.reachable) state.SkipWithError("a scramble checked as unreachable");
}
BENCHMARK(CheckScramble)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Arg(10)->Unit(benchmark::kMicrosecond);

// Any colouring: many problems, every one worded.
void CheckRandomColouring(benchmark::State& state) {
  Cube cube;
  cube.size = static_cast<int16_t>(state.range(0));
  uint32_t lcg = 1;
  for (int cell = 0; cell < kCellCount; ++cell) {
    lcg = lcg * 214013u + 2531011u;
    cube.live[cell] = cube.shadow[cell] = static_cast<int32_t>((lcg >> 16) % 6);
  }
  ReachabilityReport report;
  CheckReachable(cube, &report);
  for (auto _ : state) {
    CheckReachable(cube, &report);
    benchmark::DoNotOptimize(report.problemCount);
  }
}
BENCHMARK(CheckRandomColouring)->Arg(3)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
