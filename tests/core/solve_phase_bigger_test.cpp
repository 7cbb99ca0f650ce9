// The 6×6×6 to 10×10×10 solver: answers replay at every size from any orientation, each stage's goal
// holds where its span ends, patterns a few turns from solved get no longer answers than made them,
// the limit never withholds the first answer, a cancel ends the solve, two solves run at once, and the
// solve's own threads change nothing in its answer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <utility>

#include "solve/big/edge_steps.h"
#include "solve/phase/answer_moves.h"
#include "solve/phase/bigger/bigger_solve.h"
#include "solve/phase/bigger/bigger_stages.h"
#include "support/big_patterns.h"
#include "support/cube_helpers.h"
#include "support/sanitized.h"

namespace {

const PhaseAnswerSpan* SpanNamed(const PhaseAnswer& answer, const char* name) {
  for (int s = 0; s < answer.spanCount; ++s)
    if (std::strcmp(answer.spans[s].name, name) == 0) return &answer.spans[s];
  return nullptr;
}

// Patterns for the tests of the limit and of solves at once, whose checks hold however far the pattern
// is from solved: every stage still runs, on fewer pieces.
const int kLightTurns = 4;

bool SameCells(const BigState& a, const BigState& b) {
  return std::memcmp(a.cells, b.cells, sizeof a.cells) == 0;
}

// One pattern a size, first answers: the answer makes the pattern from solved, counts as it says, and,
// undone from the pattern span by span, leaves the centres inside the second layers solved, then the
// edges inside them paired too, then solved.
TEST(PhaseBigger, AnswersReplayAndEachStageEndsAtItsGoal) {
  Lcg lcg{6061};
  static PhaseAnswer answer;
  // Under the sanitizers, an even size and an odd one.
  for (int n = 6; n <= kMaxSize; ++n) {
    BigState pattern;
    int32_t cells[kCellCount];
    RandomBigPattern(n, lcg, &pattern, cells);
    if (kSanitized && n > 7) continue;
    SolveLimit limit;
    limit.seconds = 0;
    ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(n, cells, limit, &answer)) << n;
    BigState made;
    BigSolved(n, &made);
    for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
    EXPECT_TRUE(SameCells(made, pattern)) << n;
    EXPECT_EQ(OuterBlockTurns(answer.moves, answer.count, n), answer.outerBlockTurns);
    EXPECT_LE(answer.blockTurns, answer.outerBlockTurns);

    // Spans in the answer's order, none overlapping; only whole-cube rotations outside them.
    int covered = 0;
    for (int s = 0; s < answer.spanCount; ++s) {
      EXPECT_LE(covered, answer.spans[s].begin) << n;
      for (int k = covered; k < answer.spans[s].begin; ++k) EXPECT_TRUE(IsRotation(answer.moves[k], n));
      covered = answer.spans[s].end;
    }
    for (int k = covered; k < answer.count; ++k) EXPECT_TRUE(IsRotation(answer.moves[k], n)) << n;

    // With the 5×5×5 tables at hand, the centres and edges inside the second layers are reduced and
    // the 5×5×5 solver finishes.
    const PhaseAnswerSpan* centres = SpanNamed(answer, "centres");
    const PhaseAnswerSpan* edges = SpanNamed(answer, "edges");
    ASSERT_NE(nullptr, centres);
    ASSERT_NE(nullptr, edges);
    ASSERT_NE(nullptr, SpanNamed(answer, "5x5x5")) << n;
    EXPECT_EQ(nullptr, SpanNamed(answer, "3x3x3")) << n;
    // From the pattern: the rotations at the end undone, then the answer's moves backwards.
    BigState undo = pattern;
    for (int k = answer.count - 1; k >= 0; --k) {
      BigApply(&undo, InverseBlockMove(answer.moves[k]));
      if (k == centres->begin) {
        EXPECT_TRUE(CentresSolved(undo, true)) << n;
      }
      if (k == edges->begin) {
        EXPECT_TRUE(CentresSolved(undo, true)) << n;
        EXPECT_EQ(big_edge::EveryWing(n, true), big_edge::PairedWings(undo, true)) << n;
      }
    }
    EXPECT_TRUE(BigSolvedState(undo)) << n;
  }
}

// Each way runs through on its own (no other symmetry to fall back on), and the parities it fixes in
// outer block turns are fixed: every wing orbit even with the centres kept before the edges.
TEST(PhaseBigger, EachWayRunsThroughItsStages) {
  Lcg lcg{77};
  static PhaseAnswer answer;
  // The even sizes, where both parities come up.
  for (int n : {6, 8}) {
    for (int p = 0; p < 3; ++p) {
      BigState pattern;
      int32_t cells[kCellCount];
      RandomBigPattern(n, lcg, &pattern, cells);
      SolveLimit limit;
      limit.seconds = 0;
      StageOptions options;
      options.lookahead = 0;
      ASSERT_EQ(StageResult::kSolved, RunBiggerStages(pattern, options, limit, &answer)) << n << " " << p;

      BigState state = pattern;
      BigMoveList list;
      list.count = 0;
      ASSERT_TRUE(SolveBigCentresOuter(&state, &list));
      ASSERT_TRUE(FixWingParity(&state, &list, true));
      EXPECT_TRUE(CentresSolved(state));
      for (int orbit = 0; orbit < (n - 2) / 2; ++orbit)
        EXPECT_FALSE(OddWingOrbit(state, orbit)) << n << " " << orbit;
    }
  }
}

TEST(PhaseBigger, PatternsAFewTurnsAwayGetNoLongerAnswers) {
  Lcg lcg{99};
  static PhaseAnswer answer;
  for (int n : {6, 9, 10}) {
    for (int turns = 1; turns <= 4; ++turns) {
      BigState pattern;
      BigSolved(n, &pattern);
      int made = 0;
      for (int k = 0; k < turns; ++k) {
        const int first = 1 + lcg.Next() % n, last = first + lcg.Next() % (n - first + 1);
        const BlockMove move = Block(lcg.Next() % 6, first, last, 1 + lcg.Next() % 3);
        BigApply(&pattern, move);
        made += BlockTurns(move, n);
      }
      int32_t cells[kCellCount] = {};
      for (int c = 0; c < kCellCount; ++c) cells[c] = pattern.cells[c];
      SolveLimit limit;
      limit.seconds = 0;
      ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(n, cells, limit, &answer));
      EXPECT_LE(answer.blockTurns, made) << n << " " << turns;
      BigState check;
      BigSolved(n, &check);
      for (int k = 0; k < answer.count; ++k) BigApply(&check, answer.moves[k]);
      EXPECT_TRUE(SameCells(check, pattern));
    }
  }
}

// A clock that reads 0 when the solve starts and far past its limit ever after: the first answer still
// comes, and only it.
std::atomic<int> farReads{0};
double FarClock() { return farReads.fetch_add(1) == 0 ? 0 : 1e9; }

TEST(PhaseBigger, ThePassedLimitStillGivesTheFirstAnswer) {
  Lcg lcg{12};
  BigState pattern;
  int32_t cells[kCellCount];
  RandomBigPattern(7, lcg, &pattern, cells, kLightTurns * 7);
  static PhaseAnswer first, late;
  SolveLimit none;
  none.seconds = 0;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(7, cells, none, &first));
  SolveLimit passed;
  passed.seconds = 1;
  passed.clock = FarClock;
  farReads = 0;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(7, cells, passed, &late));
  EXPECT_EQ(first.count, late.count);
  EXPECT_EQ(0, std::memcmp(first.moves, late.moves, sizeof(BlockMove) * static_cast<size_t>(first.count)));
}

// A clock that moves only as the solve reads it: a longer limit tries more ways and keeps the shortest.
std::atomic<long> ticks{0};
double TickClock() { return static_cast<double>(ticks.fetch_add(1)) * 0.05; }

TEST(PhaseBigger, MoreTimeNeverLengthensTheAnswer) {
  Lcg lcg{4};
  BigState pattern;
  int32_t cells[kCellCount];
  RandomBigPattern(6, lcg, &pattern, cells, kLightTurns * 6);
  static PhaseAnswer first, longer;
  SolveLimit none;
  none.seconds = 0;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(6, cells, none, &first));
  SolveLimit some;
  some.seconds = 0.5;
  some.clock = TickClock;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveBiggerWithPhases(6, cells, some, &longer));
  EXPECT_LE(longer.outerBlockTurns, first.outerBlockTurns);
  BigState check;
  BigSolved(6, &check);
  for (int k = 0; k < longer.count; ++k) BigApply(&check, longer.moves[k]);
  EXPECT_TRUE(SameCells(check, pattern));
}

TEST(PhaseBigger, ACancelledSolveGivesNoAnswer) {
  Lcg lcg{8};
  BigState pattern;
  int32_t cells[kCellCount];
  RandomBigPattern(10, lcg, &pattern, cells);
  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  static PhaseAnswer answer;
  EXPECT_EQ(PhaseSolveStatus::kCancelled, SolveBiggerWithPhases(10, cells, limit, &answer));
}

TEST(PhaseBigger, TwoSolvesAtOnce) {
  Lcg lcg{21};
  BigState patterns[2];
  static int32_t cells[2][kCellCount];
  RandomBigPattern(6, lcg, &patterns[0], cells[0], kLightTurns * 6);
  RandomBigPattern(8, lcg, &patterns[1], cells[1], kLightTurns * 8);
  static PhaseAnswer answers[2];
  PhaseSolveStatus status[2];
  std::thread other([&] {
    SolveLimit limit;
    limit.seconds = 0;
    status[1] = SolveBiggerWithPhases(8, cells[1], limit, &answers[1]);
  });
  SolveLimit limit;
  limit.seconds = 0;
  status[0] = SolveBiggerWithPhases(6, cells[0], limit, &answers[0]);
  other.join();
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(PhaseSolveStatus::kSolved, status[k]);
    BigState check;
    BigSolved(patterns[k].n, &check);
    for (int m = 0; m < answers[k].count; ++m) BigApply(&check, answers[k].moves[m]);
    EXPECT_TRUE(SameCells(check, patterns[k])) << k;
  }
}

// The beam's ways to the centres taken on through the edges on two threads: the same answer as on one.
TEST(PhaseBigger, TheWaysOnTwoThreadsGiveWhatOneGives) {
  Lcg lcg{505};
  BigState pattern;
  int32_t cells[kCellCount];
  RandomBigPattern(6, lcg, &pattern, cells);
  SolveLimit limit;
  limit.seconds = 0;
  StageOptions options;
  options.centreWidth = 2;
  options.centreEnds = 4;
  static PhaseAnswer answers[2];
  for (int threads : {1, 2}) {
    options.threads = threads;
    ASSERT_EQ(StageResult::kSolved, RunBiggerStages(pattern, options, limit, &answers[threads - 1]));
  }
  ASSERT_EQ(answers[0].count, answers[1].count);
  EXPECT_EQ(0, std::memcmp(answers[0].moves, answers[1].moves, sizeof(BlockMove) * answers[0].count));
}

TEST(PhaseBigger, OtherSizesAndUnreadableOrUnreachablePatternsAreRefused) {
  static PhaseAnswer answer;
  int32_t cells[kCellCount] = {};
  SolveLimit limit;
  EXPECT_FALSE(BiggerSolverFor(5));
  EXPECT_TRUE(BiggerSolverFor(6));
  EXPECT_TRUE(BiggerSolverFor(10));
  EXPECT_EQ(PhaseSolveStatus::kUnsupported, SolveBiggerWithPhases(5, cells, limit, &answer));
  BigState solved;
  BigSolved(6, &solved);
  for (int c = 0; c < kCellCount; ++c) cells[c] = solved.cells[c];
  cells[CellIndex(U, 2, 2)] = 7;
  EXPECT_EQ(PhaseSolveStatus::kUnsupported, SolveBiggerWithPhases(6, cells, limit, &answer));
  // A twisted corner, which once sent every way through every attempt for minutes.
  cells[CellIndex(U, 2, 2)] = U;
  std::swap(cells[CellIndex(U, 5, 5)], cells[CellIndex(F, 0, 5)]);
  std::swap(cells[CellIndex(F, 0, 5)], cells[CellIndex(R, 0, 0)]);
  EXPECT_EQ(PhaseSolveStatus::kUnsupported, SolveBiggerWithPhases(6, cells, limit, &answer));
}

}  // namespace
