// Benchmarks of the order of a move sequence: a long file's appends, and a full order on the largest cube.
#include <benchmark/benchmark.h>

#include "study/order.h"

namespace {

// The 24 face moves of the slowest replay, with two slices: U L F R B D are 0 to 5, 6 and 7 the slices.
const int kTwentyFour[][2] = {{5, 3}, {5, 2}, {2, 2}, {0, 1}, {2, 2}, {6, 1}, {5, 3}, {1, 1},
                              {0, 2}, {5, 1}, {2, 3}, {5, 2}, {3, 1}, {3, 2}, {5, 3}, {7, 1},
                              {3, 2}, {3, 1}, {4, 3}, {4, 2}, {3, 3}, {3, 1}, {4, 2}, {0, 1}};

void OrderOfTwentyFourMoves(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  MoveSequence warm;
  BeginSequence(&warm, n);  // derives the size's tables outside the timing
  static OrderReport report;
  for (auto _ : state) {
    MoveSequence sequence;
    BeginSequence(&sequence, n);
    for (const auto& move : kTwentyFour) AppendLayerTurn(&sequence, move[0], move[1]);
    ComputeOrder(sequence, &report);
    benchmark::DoNotOptimize(report.order);
  }
  state.SetLabel(report.order);
}
BENCHMARK(OrderOfTwentyFourMoves)->Arg(3)->Arg(10)->Unit(benchmark::kMicrosecond);

void MillionAppends(benchmark::State& state) {
  MoveSequence sequence;
  for (auto _ : state) {
    BeginSequence(&sequence, 3);
    for (int k = 0; k < 1000000; ++k) AppendLayerTurn(&sequence, k % 8, 1 + k % 3);
    benchmark::DoNotOptimize(sequence.map.from[0]);
  }
}
BENCHMARK(MillionAppends)->Unit(benchmark::kMillisecond);

}  // namespace
