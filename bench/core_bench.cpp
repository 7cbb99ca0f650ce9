// Benchmarks of the core's hot paths; figures to read, never a gate.
#include <benchmark/benchmark.h>

#include <string>

#include "analysis/analysis.h"
#include "files/input_files.h"
#include "support/fresh_start.h"
#include "ui/ui.h"

namespace {

QuietPlatform quiet;

void StartAt(int16_t size) { StartFresh(quiet, size); }

void Move(benchmark::State& state, void (*move)(Cube&)) {
  StartAt(static_cast<int16_t>(state.range(0)));
  for (auto _ : state) {
    move(document.cube);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(Move, QuarterTurn, QuarterTurnR)->Arg(3)->Arg(10);
BENCHMARK_CAPTURE(Move, HalfTurn, HalfTurnF)->Arg(3)->Arg(10);
BENCHMARK_CAPTURE(Move, SliceTurn, TurnColumnSlice)->Arg(3)->Arg(10);
BENCHMARK_CAPTURE(Move, WholeCubeRotation, RotateUp)->Arg(3)->Arg(10);

void CountSymmetriesOfScramble(benchmark::State& state) {
  StartAt(static_cast<int16_t>(state.range(0)));
  Scramble(document.cube, document.random, 1);
  for (auto _ : state) CountSymmetries();
}
BENCHMARK(CountSymmetriesOfScramble)->Arg(3)->Arg(10)->Unit(benchmark::kMicrosecond);

// 24 face moves whose pass has order 1260, the most the face-turn group allows: 1259 passes.
const char kSlowestReplay[] = "D' D2 F2 U F2 F2 D' L U2 D F' D2 R R2 D' D' R2 R B' B2 R' R B2 U";

void SlowestReplay(benchmark::State& state) {
  StartAt(10);
  int32_t passes = 0;
  for (auto _ : state) {
    TextStream stream;
    OpenMemoryStream(&stream, kSlowestReplay, sizeof kSlowestReplay - 1);
    passes = ReplayMoveLog(LoadMoveFile(&stream));
  }
  state.counters["passes"] = passes;
}
BENCHMARK(SlowestReplay)->Unit(benchmark::kMillisecond);

void MoveFileOfAMillionTokens(benchmark::State& state) {
  StartAt(3);
  std::string text;
  const char* tokens[] = {"R ", "U2 ", "F' ", "u ", "l2\n", "B- ", "D+ ", "T3 "};
  for (int k = 0; k < 1000000; ++k) text += tokens[k % 8];
  for (auto _ : state) {
    TextStream stream;
    OpenMemoryStream(&stream, text.data(), text.size());
    benchmark::DoNotOptimize(LoadMoveFile(&stream));
  }
}
BENCHMARK(MoveFileOfAMillionTokens)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
