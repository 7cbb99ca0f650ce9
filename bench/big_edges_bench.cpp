// Benchmarks of the big cube's edge stage alone: per size and way (the greedy with its step search
// fully rescoring every macro, the greedy, or the beam of a given width and branch), its outer block
// turns (mean, worst) and seconds per stage (mean, worst), over patterns taken as far as the edges.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "solve/big/big_cube.h"
#include "solve/big/edge_steps.h"
#include "solve/phase/answer_moves.h"
#include "support/big_patterns.h"

namespace {

// PLEXARO_EDGE_PATTERNS sets how many patterns each run takes (8 by default).
int EdgePatternCount() {
  const char* text = std::getenv("PLEXARO_EDGE_PATTERNS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 8;
}

// Arguments: the size; the width (-1: the greedy fully rescoring, 0: the greedy); the branch.
void BigEdgeStage(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int width = static_cast<int>(state.range(1));
  const int branch = static_cast<int>(state.range(2));
  PrepareBigEdgeTables(n);
  std::vector<double> turns, seconds;
  int failed = 0;
  std::unique_ptr<BigMoveList> list(new BigMoveList);
  for (auto _ : state) {
    Lcg lcg{static_cast<uint32_t>(n * 104729)};
    for (int p = 0; p < EdgePatternCount(); ++p) {
      BigState cube;
      int32_t cells[kCellCount];
      RandomBigPattern(n, lcg, &cube, cells);
      list->count = 0;
      if (!SolveBigCentresOuter(&cube, list.get(), 3) || !FixWingParity(&cube, list.get(), true)) {
        ++failed;
        continue;
      }
      list->count = 0;
      const auto start = std::chrono::steady_clock::now();
      bool done;
      if (width < 0)
        done = big_edge::PairEdgesGreedy(&cube, list.get(), 3, false);
      else if (width == 0)
        done = PairBigEdgesOuter(&cube, list.get(), 3);
      else
        done = PairBigEdgesBeam(&cube, list.get(), EdgeBeam{width, branch, nullptr});
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      if (done)
        turns.push_back(OuterBlockTurns(list->moves, list->count, n));
      else
        ++failed;
    }
  }
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
  };
  if (!turns.empty()) {
    state.counters["obtm_mean"] = mean(turns);
    state.counters["obtm_worst"] = *std::max_element(turns.begin(), turns.end());
  }
  if (!seconds.empty()) {
    state.counters["s_mean"] = mean(seconds);
    state.counters["s_worst"] = *std::max_element(seconds.begin(), seconds.end());
  }
  state.counters["failed"] = failed;
}
BENCHMARK(BigEdgeStage)
    ->ArgsProduct({{6, 7, 8, 9, 10}, {-1, 0}, {4}})
    ->ArgsProduct({{6, 7, 8, 9, 10}, {2, 4, 8, 16}, {4}})
    ->ArgsProduct({{6, 8, 10}, {4}, {2, 8}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
