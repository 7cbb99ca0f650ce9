// Benchmarks of the big-cube solver: per size, patterns from 40·N random single-layer turns and a
// random rotation; mean, median and worst block turns and seconds as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cube/cube.h"
#include "files/input_files.h"
#include "solve/solve.h"
#include "support/cube_helpers.h"

namespace {

// PLEXARO_BIG_PATTERNS sets how many patterns each size takes (100 by default).
int PatternCount() {
  const char* text = std::getenv("PLEXARO_BIG_PATTERNS");
  return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

void SolveBigPatterns(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  static SolveResult result;
  SolveLimit firstAnswer;
  firstAnswer.seconds = 0;
  std::vector<double> turns, outer, seconds;
  int failed = 0;
  for (auto _ : state) {
    Lcg lcg{static_cast<uint32_t>(n * 7919)};
    for (int p = 0; p < PatternCount(); ++p) {
      RandomLayerPattern(n, lcg);
      // PLEXARO_BIG_ONLY solves that one pattern alone.
      if (std::getenv("PLEXARO_BIG_ONLY") != nullptr && std::atoi(std::getenv("PLEXARO_BIG_ONLY")) != p)
        continue;
      const auto start = std::chrono::steady_clock::now();
      SolvePattern(document.cube, firstAnswer, &result);
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
      // PLEXARO_BIG_SLOW lists the patterns slower than that many seconds, to study them.
      if (std::getenv("PLEXARO_BIG_SLOW") != nullptr &&
          seconds.back() > std::atof(std::getenv("PLEXARO_BIG_SLOW")))
        std::fprintf(stderr, "n=%d pattern %d: %.2f s, %d block turns (%d %d %d %d)\n", n, p, seconds.back(),
                     result.lengthBtm, result.stages[0].turns, result.stages[1].turns, result.stages[2].turns,
                     result.stages[3].turns);
      if (result.solved)
        turns.push_back(result.lengthBtm), outer.push_back(result.lengthObtm);
      else
        ++failed;
    }
  }
  std::sort(turns.begin(), turns.end());
  std::sort(seconds.begin(), seconds.end());
  auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / v.size();
  };
  if (!turns.empty()) {
    state.counters["btm_mean"] = mean(turns);
    state.counters["btm_median"] = turns[turns.size() / 2];
    state.counters["btm_worst"] = turns.back();
    std::sort(outer.begin(), outer.end());
    state.counters["obtm_mean"] = mean(outer);
    state.counters["obtm_worst"] = outer.back();
  }
  state.counters["s_mean"] = mean(seconds);
  state.counters["s_median"] = seconds[seconds.size() / 2];
  state.counters["s_worst"] = seconds.back();
  state.counters["failed"] = failed;
  StartSolved(3);
}
BENCHMARK(SolveBigPatterns)->DenseRange(4, 10)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
