// The solver: its tables built and read back, and answers for many random patterns (median, tail,
// worst, superflip), beside a published two-phase solver when one is named.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cube/cube.h"
#include "files/input_files.h"
#include "files/table_cache.h"
#include "solve/solve.h"
#include "solve/solve_coordinates.h"
#include "solve/solve_corners.h"
#include "solve/solve_search.h"

namespace {

void BuildCornerTable(benchmark::State& state) {
  for (auto _ : state) FillCornerTables();
  state.counters["bytes"] = static_cast<double>(CornerTableBytes());
}
BENCHMARK(BuildCornerTable)->Unit(benchmark::kMillisecond)->Iterations(3);

void BuildTwoPhaseTables(benchmark::State& state) {
  for (auto _ : state) FillSearchTables();
  state.counters["bytes"] = static_cast<double>(sizeof searchTables);
}
BENCHMARK(BuildTwoPhaseTables)->Unit(benchmark::kMillisecond)->Iterations(3);

// Read back from a cache folder of the benchmark's own, written by the first call.
void ReadTwoPhaseTablesFromCache(benchmark::State& state) {
  char folder[] = "/tmp/plexaro-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  setenv("XDG_CACHE_HOME", folder, 1);
  CacheTableStore store;
  if (LoadSearchTables(&store) != kTablesBuiltAndKept) state.SkipWithError("the cache was not written");
  for (auto _ : state)
    if (LoadSearchTables(&store) != kTablesRead) state.SkipWithError("the cache was not read");
  char path[4200];
  TableCachePath("solver-tables", kSearchTablesEdition, path, sizeof path, false);
  std::remove(path);
  std::remove((std::string(folder) + "/plexaro").c_str());
  std::remove(folder);
}
BENCHMARK(ReadTwoPhaseTablesFromCache)->Unit(benchmark::kMillisecond)->Iterations(5);

// The processor time of this thread: other programs on a busy machine stretch the wall clock, not this.
double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

const char kSuperflip[] = "U R2 F B R B2 R U2 L B2 R U' D' R2 F R' L B2 U2 F2";

// count patterns of `turns` random face turns (no face twice in a row), as text.
std::vector<std::string> Scrambles(int count, int turns) {
  static const char* const kAmounts[] = {"", "2", "'"};
  std::vector<std::string> scrambles;
  uint32_t lcg = 12345;
  for (int k = 0; k < count; ++k) {
    std::string text;
    for (int turn = 0, last = -1; turn < turns; ++turn) {
      int face;
      do {
        lcg = lcg * 214013u + 2531011u;
        face = static_cast<int>(lcg >> 16) % 6;
      } while (face == last);
      last = face;
      lcg = lcg * 214013u + 2531011u;
      text += std::string(text.empty() ? "" : " ") + "ULFRBD"[face] + kAmounts[(lcg >> 16) % 3];
    }
    scrambles.push_back(text);
  }
  return scrambles;
}

Cube cube;

bool SetPattern(int n, const std::string& text) {
  MakeSolved(cube, n);
  std::istringstream in(text);
  std::string word;
  while (in >> word) {
    MoveToken move;
    if (!ParseMoveToken(word.c_str(), &move)) return false;
    TurnLayer(cube, move.layer, move.quarterTurns);
  }
  return true;
}

// Median, 90th and 99th percentile, worst and mean in milliseconds, and the mean length.
void Report(benchmark::State& state, const std::string& prefix, std::vector<double> seconds,
            double faceTurns) {
  std::sort(seconds.begin(), seconds.end());
  double sum = 0;
  for (const double s : seconds) sum += s;
  const size_t count = seconds.size();
  state.counters[prefix + "mean_ms"] = sum / static_cast<double>(count) * 1e3;
  state.counters[prefix + "median_ms"] = seconds[count / 2] * 1e3;
  state.counters[prefix + "p90_ms"] = seconds[count * 90 / 100] * 1e3;
  state.counters[prefix + "p99_ms"] = seconds[count * 99 / 100] * 1e3;
  state.counters[prefix + "worst_ms"] = seconds.back() * 1e3;
  state.counters[prefix + "mean_f"] = faceTurns / static_cast<double>(count);
}

std::vector<double> nodes;  // of each answer of the last SolveAll

// Solves each scramble with the limit and returns the seconds of each; the superflip's come last.
std::vector<double> SolveAll(benchmark::State& state, int n, const std::vector<std::string>& scrambles,
                             double seconds, double* faceTurns, int* longest, double (*clock)() = nullptr) {
  SolveLimit limit;
  limit.seconds = seconds;
  limit.clock = clock;
  std::vector<double> taken;
  nodes.clear();
  *faceTurns = 0;
  *longest = 0;
  for (const std::string& text : scrambles) {
    static SolveResult result;
    if (!SetPattern(n, text)) state.SkipWithError("a scramble did not read");
    SolvePattern(cube, limit, &result);
    if (!result.solved) state.SkipWithError("a random pattern was not solved");
    taken.push_back(result.seconds);
    nodes.push_back(static_cast<double>(result.nodes));
    *faceTurns += result.lengthBtm;
    *longest = std::max(*longest, result.lengthBtm);
  }
  return taken;
}

// A published solver named by PLEXARO_REFERENCE_SOLVER reads the same scrambles one a line ("superflip"
// for that pattern) and writes "seconds length moves" a line: its figures are reported beside ours.
void SolveWithReference(benchmark::State& state, const std::vector<std::string>& scrambles) {
#ifndef _WIN32
  const char* program = std::getenv("PLEXARO_REFERENCE_SOLVER");
  if (program == nullptr || program[0] == '\0') return;
  char input[] = "/tmp/plexaro-reference-XXXXXX";
  const int descriptor = mkstemp(input);
  if (descriptor < 0) return;
  FILE* file = fdopen(descriptor, "w");
  for (const std::string& text : scrambles) std::fprintf(file, "%s\n", text.c_str());
  std::fprintf(file, "superflip\n");
  std::fclose(file);
  FILE* pipe = popen((std::string(program) + " < " + input).c_str(), "r");
  std::vector<double> seconds;
  double faceTurns = 0, superflip = 0;
  int longest = 0;
  char line[1024];
  while (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) {
    double s = 0;
    int length = 0;
    if (std::sscanf(line, "%lf %d", &s, &length) != 2) continue;
    if (seconds.size() == scrambles.size()) {
      superflip = s;
      continue;
    }
    seconds.push_back(s);
    faceTurns += length;
    longest = std::max(longest, length);
  }
  if (pipe != nullptr) pclose(pipe);
  std::remove(input);
  if (seconds.size() != scrambles.size()) {
    state.SkipWithError("the reference solver answered too few patterns");
    return;
  }
  Report(state, "ref_", seconds, faceTurns);
  state.counters["ref_longest_f"] = longest;
  state.counters["ref_superflip_ms"] = superflip * 1e3;
#else
  (void)state;
  (void)scrambles;
#endif
}

void SolveCorners1000(benchmark::State& state) {
  double faceTurns = 0;
  int longest = 0;
  std::vector<double> seconds;
  for (auto _ : state) seconds = SolveAll(state, 2, Scrambles(1000, 40), 0, &faceTurns, &longest);
  Report(state, "", seconds, faceTurns);
}
BENCHMARK(SolveCorners1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// 1,000 patterns of 40 random face turns, each to the first answer of at most 20 face turns, then the
// superflip; the tables are read or built before the clock starts, and the clock is the thread's
// processor time (the reference solver is asked to measure the same).
void SolveTwoPhase1000(benchmark::State& state) {
  const std::vector<std::string> scrambles = Scrambles(1000, 40);
  ReadySearchTables();
  double faceTurns = 0, superflipTurns = 0;
  int longest = 0, superflipLength = 0;
  std::vector<double> seconds, superflip;
  for (auto _ : state) {
    seconds = SolveAll(state, 3, scrambles, 0, &faceTurns, &longest, ThreadSeconds);
    std::sort(nodes.begin(), nodes.end());
    state.counters["median_nodes"] = nodes[nodes.size() / 2];
    state.counters["p99_nodes"] = nodes[nodes.size() * 99 / 100];
    state.counters["worst_nodes"] = nodes.back();
    superflip = SolveAll(state, 3, {kSuperflip}, 0, &superflipTurns, &superflipLength, ThreadSeconds);
    state.counters["superflip_nodes"] = nodes[0];
  }
  Report(state, "", seconds, faceTurns);
  state.counters["longest_f"] = longest;
  state.counters["superflip_ms"] = superflip[0] * 1e3;
  SolveWithReference(state, scrambles);
}
BENCHMARK(SolveTwoPhase1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The length the default limit of one second buys, over 100 patterns (about 100 s).
void SolveTwoPhaseOneSecond100(benchmark::State& state) {
  const std::vector<std::string> scrambles = Scrambles(100, 40);
  ReadySearchTables();
  double faceTurns = 0;
  int longest = 0;
  std::vector<double> seconds;
  for (auto _ : state) seconds = SolveAll(state, 3, scrambles, 1.0, &faceTurns, &longest);
  Report(state, "", seconds, faceTurns);
  state.counters["longest_f"] = longest;
}
BENCHMARK(SolveTwoPhaseOneSecond100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
