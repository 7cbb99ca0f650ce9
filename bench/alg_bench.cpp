// The standard notation at N = 10: parsing and applying a million moves of every kind of block, against
// the same count of the program's own face turns.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/files.h"
#include "support/fresh_start.h"
#include "ui/ui.h"

namespace {

QuietPlatform quiet;
const int kMoves = 1000000;

// A million moves of faces, wide and numbered blocks, ranges, inner slices and rotations.
const std::string& MillionMoves() {
  static std::string text;
  if (text.empty()) {
    const char* const kPattern[] = {"R", "U2", "3Rw'", "2-5Lw", "4F2", "m'", "Bw", "7D", "y", "s2"};
    text.reserve(kMoves * 5);
    for (int k = 0; k < kMoves; ++k) {
      text += kPattern[k % 10];
      text += k % 20 == 19 ? '\n' : ' ';
    }
  }
  return text;
}

void ParseMillionMoves(benchmark::State& state) {
  const std::string& text = MillionMoves();
  std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  for (auto _ : state) {
    if (!ParseAlg(text.data(), text.size(), 10, &moves, reason, sizeof reason)) state.SkipWithError(reason);
    benchmark::DoNotOptimize(moves.data());
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}
BENCHMARK(ParseMillionMoves)->Unit(benchmark::kMillisecond);

void ParseAndApplyMillionMoves(benchmark::State& state) {
  StartFresh(quiet, 10);
  const std::string& text = MillionMoves();
  std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  for (auto _ : state) {
    if (!ParseAlg(text.data(), text.size(), 10, &moves, reason, sizeof reason)) state.SkipWithError(reason);
    ApplyBlockMoves(moves.data(), moves.size(), liveCube, shadowCube);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}
BENCHMARK(ParseAndApplyMillionMoves)->Unit(benchmark::kMillisecond);

// A repeated group: the expansion, not the text, is the work.
void ParseMillionMovesFromAGroup(benchmark::State& state) {
  const std::string text = "(R U2 3Rw' 2-5Lw 4F2 m' Bw 7D y s2)100000";
  std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  for (auto _ : state) {
    if (!ParseAlg(text.data(), text.size(), 10, &moves, reason, sizeof reason)) state.SkipWithError(reason);
    benchmark::DoNotOptimize(moves.data());
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}
BENCHMARK(ParseMillionMovesFromAGroup)->Unit(benchmark::kMillisecond);

void MillionFaceTurns(benchmark::State& state) {
  StartFresh(quiet, 10);
  typedef void (*Turn)(CubeState, CubeState);
  const Turn kTurns[] = {QuarterTurnR, HalfTurnU, QuarterTurnF, QuarterTurnL, HalfTurnB, QuarterTurnD};
  for (auto _ : state) {
    for (int k = 0; k < kMoves; ++k) kTurns[k % 6](liveCube, shadowCube);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}
BENCHMARK(MillionFaceTurns)->Unit(benchmark::kMillisecond);

}  // namespace
