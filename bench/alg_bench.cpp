// The standard notation at N = 10: parsing and applying a million moves of every kind of block, against
// the same count of the program's own face turns.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/input_files.h"
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

// Parses `text` at N = 10 once an iteration, applying the moves too when asked.
void ParseEach(benchmark::State& state, const std::string& text, bool apply) {
  if (apply) StartFresh(quiet, 10);
  std::vector<BlockMove> moves;
  char reason[kTextCapacity];
  for (auto _ : state) {
    if (!ParseAlg(text.data(), text.size(), 10, &moves, reason, sizeof reason)) state.SkipWithError(reason);
    if (apply) ApplyBlockMoves(document.cube, moves.data(), moves.size());
    benchmark::DoNotOptimize(moves.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}

void ParseMillionMoves(benchmark::State& state) { ParseEach(state, MillionMoves(), false); }
BENCHMARK(ParseMillionMoves)->Unit(benchmark::kMillisecond);

void ParseAndApplyMillionMoves(benchmark::State& state) { ParseEach(state, MillionMoves(), true); }
BENCHMARK(ParseAndApplyMillionMoves)->Unit(benchmark::kMillisecond);

// A repeated group: the expansion, not the text, is the work.
void ParseMillionMovesFromAGroup(benchmark::State& state) {
  ParseEach(state, "(R U2 3Rw' 2-5Lw 4F2 m' Bw 7D y s2)100000", false);
}
BENCHMARK(ParseMillionMovesFromAGroup)->Unit(benchmark::kMillisecond);

void MillionFaceTurns(benchmark::State& state) {
  StartFresh(quiet, 10);
  typedef void (*Turn)(Cube&);
  const Turn kTurns[] = {QuarterTurnR, HalfTurnU, QuarterTurnF, QuarterTurnL, HalfTurnB, QuarterTurnD};
  for (auto _ : state) {
    for (int k = 0; k < kMoves; ++k) kTurns[k % 6](document.cube);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kMoves);
}
BENCHMARK(MillionFaceTurns)->Unit(benchmark::kMillisecond);

}  // namespace
