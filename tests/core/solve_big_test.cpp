// The big-cube solver: answers replayed with the model's own layer turns at every size from 4 to 10,
// rotations alone, refusals with the reachability check's reasons, and the stages' counts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cube/block_move.h"
#include "cube/cube.h"
#include "files/input_files.h"
#include "solve/phase/phase_solve.h"
#include "solve/phase/phase_table.h"
#include "solve/solve.h"
#include "support/cube_helpers.h"
#include "support/sanitized.h"
#include "ui/menu.h"
#if !defined(_WIN32)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

// The sanitizer build runs the same checks on fewer patterns.
#define SANITIZED PLEXARO_SANITIZED
const int kPatternsPerSize = SANITIZED ? 1 : 2;

void Scramble(int n, uint32_t seed) {
  Lcg lcg{seed};
  RandomLayerPattern(n, lcg);
}

// The answer applied to the solved cube, with ApplyBlockMove; the pattern is put back afterwards.
std::vector<int32_t> Replay(const SolveResult& result, bool inverse) {
  const std::vector<int32_t> pattern = UsedCells();
  if (!inverse) {
    FillSolved(document.cube);
    SyncCopies(document.cube);
  }
  for (int k = 0; k < result.algCount; ++k)
    ApplyBlockMove(document.cube,
                   inverse ? InverseBlockMove(result.alg[result.algCount - 1 - k]) : result.alg[k]);
  const std::vector<int32_t> made = UsedCells();
  Restore(pattern);
  return made;
}

std::vector<int32_t> SolvedCells(int n) {
  const std::vector<int32_t> pattern = UsedCells();
  StartSolved(n);
  const std::vector<int32_t> solved = UsedCells();
  Restore(pattern);
  return solved;
}

// The first answer, as the batch asks for it.
SolveLimit FirstAnswer() {
  SolveLimit limit;
  limit.seconds = 0;
  return limit;
}

// The stage of that name, or null.
const SolveStage* Stage(const SolveResult& result, const char* name) {
  for (int k = 0; k < result.stageCount; ++k)
    if (std::string(result.stages[k].name) == name) return &result.stages[k];
  return nullptr;
}

class SolveBig : public ::testing::Test {
 protected:
  void TearDown() override { StartSolved(3); }
  SolveResult result;
};

// Every answer at size n makes its pattern and its inverse solves it; its counts agree with its moves.
void ExpectAnswersReplay(int n, SolveResult& result) {
  for (int k = 0; k < kPatternsPerSize; ++k) {
    Scramble(n, 1000u * n + k);
    const std::vector<int32_t> pattern = UsedCells();
    SolvePattern(document.cube, FirstAnswer(), &result);
    ASSERT_TRUE(result.solved) << n << ": " << result.problems[0];
    // Pure: the pattern, the size and the shadow copy as they were.
    EXPECT_EQ(document.cube.size, n);
    EXPECT_EQ(UsedCells(), pattern);
    EXPECT_EQ(Replay(result, false), pattern) << "size " << n << " seed " << k;
    EXPECT_EQ(Replay(result, true), SolvedCells(n)) << "size " << n << " seed " << k;
    // The counts agree with the moves: stages add up to the block turns, each one a non-rotation, and
    // the spans cover every move but the rotation once, each stage's own turns.
    int turns = 0, stages = 0;
    for (int m = 0; m < result.algCount; ++m) turns += BlockTurns(result.alg[m], n);
    for (int stage = 0; stage < result.stageCount; ++stage) stages += result.stages[stage].turns;
    EXPECT_EQ(result.lengthBtm, turns);
    EXPECT_EQ(stages, turns);
    std::vector<int> spanned(static_cast<size_t>(result.stageCount), 0);
    int covered = 0, at = 0;
    for (int k = 0; k < result.spanCount; ++k) {
      const SolveSpan& span = result.spans[k];
      EXPECT_EQ(span.begin, at) << "spans run in order, one after another";
      for (int m = span.begin; m < span.end; ++m)
        spanned[static_cast<size_t>(span.stage)] += BlockTurns(result.alg[m], n);
      covered += span.end - span.begin;
      at = span.end;
    }
    EXPECT_EQ(covered, result.algCount - result.rotationCount);
    for (int stage = 0; stage < result.stageCount; ++stage)
      EXPECT_EQ(spanned[static_cast<size_t>(stage)], result.stages[stage].turns) << result.stages[stage].name;
    // The greedy reduction's own stages, where it is the solver of the size.
    if (!PhaseSolverFor(n)) {
      ASSERT_NE(Stage(result, "centres"), nullptr);
      EXPECT_GT(Stage(result, "centres")->turns, 0) << n;
    }
  }
}

// The 5×5×5 on its own: its phases' tables are the largest, which the slower test stages leave out.
// Under the sanitizers, where a larger size's answer takes many seconds, the sizes above it stop at one
// even and one odd: the larger sizes' own tests replay every one of them there.
TEST_F(SolveBig, EveryAnswerMakesItsPatternAndItsInverseSolvesIt) {
  for (int n = 4; n <= (SANITIZED ? 7 : 10); ++n)
    if (n != 5) ExpectAnswersReplay(n, result);
}

#if !defined(_WIN32) && !SANITIZED
// Solves with the address space held to what the process uses now and 48 MiB more; exits 0 when the
// answer makes the pattern and says it is the plain reduction's.
void SolveInLittleMemory(const std::vector<int32_t>& pattern, SolveResult* result) {
  long pages = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  const rlim_t room = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (48u << 20);
  const rlimit limit = {room, room};
  if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0) std::exit(2);
  SolvePattern(document.cube, FirstAnswer(), result);
  char box[kReportTextCapacity];
  ComposeSolutionReport(*result, box, sizeof box);
  const bool said = std::strstr(box, kSolveWithoutTables) != nullptr;
  std::exit(result->solved && result->withoutTables && said && Replay(*result, false) == pattern ? 0 : 1);
}
#endif

class SolveBigFive : public SolveBig {};

TEST_F(SolveBigFive, EveryAnswerMakesItsPatternAndItsInverseSolvesIt) { ExpectAnswersReplay(5, result); }

#if !defined(_WIN32) && !SANITIZED
// A process whose address space cannot hold the 5x5x5's tables still gets an answer that makes the
// pattern, and it says that it is the plain reduction's.
TEST_F(SolveBigFive, TablesThatDoNotFitInMemoryLeaveThePlainReductionSayingSo) {
  const DistanceTable* tables[32];
  const int count = PhaseTablesOf(5, tables, 32);
  for (int k = 0; k < count; ++k)
    if (tables[k]->Ready()) GTEST_SKIP() << "this process already holds the tables";
  Scramble(5, 4242);
  const std::vector<int32_t> pattern = UsedCells();
  EXPECT_EXIT(SolveInLittleMemory(pattern, &result), ::testing::ExitedWithCode(0), "");
}
#endif

TEST_F(SolveBig, SmallCubesSpellTheirAnswerAndRotationAsBlockMovesToo) {
  for (int n = 2; n <= 3; ++n)
    for (int k = 0; k < 3; ++k) {
      Scramble(n, 77u * n + k);
      const std::vector<int32_t> pattern = UsedCells();
      SolvePattern(document.cube, FirstAnswer(), &result);
      ASSERT_TRUE(result.solved);
      EXPECT_EQ(Replay(result, false), pattern) << "size " << n << " seed " << k;
      EXPECT_EQ(result.stageCount, 0);
    }
}

TEST_F(SolveBig, ATurnedSolvedCubeIsOnlyItsRotation) {
  for (int n : {4, 7, 10}) {
    StartSolved(n);
    RotateLeft(document.cube);
    RotateUp(document.cube);
    const std::vector<int32_t> pattern = UsedCells();
    SolvePattern(document.cube, FirstAnswer(), &result);
    ASSERT_TRUE(result.solved) << n;
    EXPECT_EQ(result.lengthBtm, 0);
    ASSERT_GT(result.algCount, 0);
    for (int m = 0; m < result.algCount; ++m) EXPECT_TRUE(IsRotation(result.alg[m], n));
    EXPECT_EQ(Replay(result, false), pattern);
    // The text spells the rotation with x, y and z alone.
    char text[64];
    FormatSolveAlg(result, false, text, sizeof text);
    EXPECT_EQ(std::string(text).find_first_not_of("xyz2' "), std::string::npos) << text;
  }
}

TEST_F(SolveBig, AFaceTurnAnswerAndAnInnerSlice) {
  // A pattern two face turns from solved gets two block turns back (perhaps as a wide block and a
  // rotation).
  StartSolved(6);
  TurnBlock(document.cube, R, 1, 1, 1);
  TurnBlock(document.cube, U, 1, 1, 2);
  const std::vector<int32_t> pattern = UsedCells();
  SolvePattern(document.cube, FirstAnswer(), &result);
  ASSERT_TRUE(result.solved);
  EXPECT_EQ(result.lengthBtm, 2);
  ASSERT_NE(Stage(result, "short"), nullptr);
  EXPECT_EQ(Stage(result, "short")->turns, 2);
  EXPECT_EQ(Replay(result, false), pattern);
  char text[64];
  FormatSolveAlg(result, false, text, sizeof text);
  // A short text ends at a whole move.
  const std::string first = std::string(text).substr(0, std::string(text).find(' '));
  char cut[64];
  FormatSolveAlg(result, false, cut, first.size() + 2);
  EXPECT_EQ(std::string(cut), first);
  FormatSolveAlgStart(result, 1, cut, sizeof cut);
  EXPECT_EQ(std::string(cut), first + " ...");
}

TEST_F(SolveBig, UnreachablePatternsAreRefusedWithTheChecksReasons) {
  auto refused = [this](const char* what) {
    ReachabilityReport report;
    CheckReachable(document.cube, &report);
    ASSERT_FALSE(report.reachable) << what;
    const std::vector<int32_t> pattern = UsedCells();
    SolvePattern(document.cube, FirstAnswer(), &result);
    EXPECT_EQ(UsedCells(), pattern);
    EXPECT_FALSE(result.solved) << what;
    EXPECT_TRUE(result.unreachable) << what;
    ASSERT_EQ(result.problemCount, report.problemCount) << what;
    EXPECT_STREQ(result.problems[0], report.problems[0]) << what;
  };
  // A twisted corner (U, F, R) at 5×5×5.
  StartSolved(5);
  const int corner[3] = {CellIndex(U, 4, 4), CellIndex(F, 0, 4), CellIndex(R, 0, 0)};
  const int32_t first = document.cube.live[corner[0]];
  document.cube.live[corner[0]] = document.cube.live[corner[1]];
  document.cube.live[corner[1]] = document.cube.live[corner[2]];
  document.cube.live[corner[2]] = first;
  refused("twisted corner");
  // A flipped middle edge (U-F) at 7×7×7.
  StartSolved(7);
  std::swap(document.cube.live[CellIndex(U, 6, 3)], document.cube.live[CellIndex(F, 0, 3)]);
  refused("flipped middle edge");
  // A mirrored colour scheme at 4×4×4: L and R swap colours everywhere.
  StartSolved(4);
  for (int cell = 0; cell < kCellCount; ++cell)
    if (document.cube.live[cell] == L || document.cube.live[cell] == R)
      document.cube.live[cell] = L + R - document.cube.live[cell];
  refused("mirrored scheme");
}

}  // namespace
