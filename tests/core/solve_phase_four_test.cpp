// The 4×4×4 phase solver: each phase's goal holds where it ends, answers replay from any orientation,
// the limit and the cancel flag are kept, and two solves can run at once. The tables come from the
// test cache folder, built there once by the first suite.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "solve/phase/answer_moves.h"
#include "solve/phase/four/four_phases.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_solve.h"
#include "support/big_patterns.h"
#include "support/cube_helpers.h"

namespace {

class FirstFind : public PhaseFinds {
 public:
  BlockMove moves[kMaxPhaseDepth];
  int count = -1;
  bool Found(const BlockMove* found, int length) override {
    std::memcpy(moves, found, sizeof(BlockMove) * static_cast<size_t>(length));
    count = length;
    return false;
  }
};

// The phase's shortest way from the state, applied, then its frame; false when none was found.
bool RunPhase(const Phase& phase, BigState* state) {
  for (int length = phase.Bound(*state); length <= phase.MaxLength(); ++length) {
    FirstFind find;
    SearchBudget budget;
    phase.Search(*state, length, nullptr, find, budget);
    if (find.count < 0) continue;
    for (int k = 0; k < find.count; ++k) BigApply(state, find.moves[k]);
    BlockMove rotation[3];
    const int turns = phase.Frame(*state, rotation);
    for (int k = 0; k < turns; ++k) BigApply(state, rotation[k]);
    return true;
  }
  return false;
}

int PairOf(int colour) { return colour == U || colour == D ? 0 : colour == L || colour == R ? 1 : 2; }

// The pair of opposite colours every x-centre of the axis (faces f and its opposite) shows, or -1.
int AxisPair(const BigState& state, int face, int opposite) {
  const OrbitPlaces& centres = OrbitOf(4, kXCentreOrbit);
  int pair = -1;
  for (int q = 0; q < 24; ++q) {
    const int cell = centres.cells[q][0], on = cell / kFaceStride;
    if (on != face && on != opposite) continue;
    const int shown = PairOf(state.cells[cell]);
    if (pair >= 0 && shown != pair) return -1;
    pair = shown;
  }
  return pair;
}

class PhaseFourTables : public ::testing::Test {};

TEST_F(PhaseFourTables, AreBuiltOrReadOnce) { EXPECT_EQ(TableResult::kReady, PreparePhaseTables(4)); }

class PhaseFour : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TableResult::kReady, PreparePhaseTables(4)); }
};

TEST_F(PhaseFour, EachPhaseEndsAtItsGoal) {
  Lcg lcg{31};
  for (int trial = 0; trial < 3; ++trial) {
    BigState state;
    int32_t cells[kCellCount];
    RandomBigPattern(4, lcg, &state, cells);
    // Staged: one axis holds one pair's centres; its frame turns that axis to L-R.
    ASSERT_TRUE(RunPhase(FourStagePhase(), &state));
    EXPECT_GE(AxisPair(state, L, R), 0);
    // Split: every axis holds one pair, the wings' permutation is even and each edge has one wing
    // among the low places.
    ASSERT_TRUE(RunPhase(FourSplitPhase(), &state));
    EXPECT_GE(AxisPair(state, U, D), 0);
    EXPECT_GE(AxisPair(state, F, B), 0);
    EXPECT_GE(AxisPair(state, L, R), 0);
    int8_t wings[24], twist[24];
    ASSERT_TRUE(ReadPieces(OrbitOf(4, kWingOrbit), state, wings, twist));
    EXPECT_FALSE(OddPermutation(wings, 24));
    const WingHalves& halves = FourWingHalves();
    int lowPerEdge[12] = {};
    for (int q = 0; q < 24; ++q)
      if (halves.low >> q & 1) ++lowPerEdge[halves.edgeOf[wings[q]]];
    for (int e = 0; e < 12; ++e) EXPECT_EQ(1, lowPerEdge[e]) << "edge " << e;
    // Paired: its frame brings the centres home, every edge paired; the 3×3×3 is then sound.
    ASSERT_TRUE(RunPhase(FourPairPhase(), &state));
    EXPECT_TRUE(CentresSolved(state));
    EXPECT_TRUE(EdgesPaired(state));
  }
}

TEST_F(PhaseFour, AnswersReplayFromAnyOrientation) {
  Lcg lcg{7};
  for (int trial = 0; trial < 4; ++trial) {
    BigState state;
    int32_t cells[kCellCount];
    RandomBigPattern(4, lcg, &state, cells);
    SolveLimit limit;
    limit.seconds = 0;
    static PhaseAnswer answer;
    ASSERT_EQ(PhaseSolveStatus::kSolved, SolveWithPhases(4, cells, limit, &answer));
    BigState made;
    BigSolved(4, &made);
    for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
    EXPECT_EQ(0, std::memcmp(made.cells, state.cells, sizeof made.cells)) << "trial " << trial;
    EXPECT_EQ(OuterBlockTurns(answer.moves, answer.count, 4), answer.outerBlockTurns);
    EXPECT_LT(answer.outerBlockTurns, 60);
    // The spans, in the answer's order, take every turn; only rotations follow them.
    const char* names[] = {"3x3x3", "pair", "split", "stage"};
    ASSERT_EQ(4, answer.spanCount);
    int at = 0;
    for (int s = 0; s < 4; ++s) {
      EXPECT_STREQ(names[s], answer.spans[s].name);
      EXPECT_EQ(at, answer.spans[s].begin);
      EXPECT_LE(answer.spans[s].begin, answer.spans[s].end);
      at = answer.spans[s].end;
    }
    for (int k = at; k < answer.count; ++k) EXPECT_TRUE(IsRotation(answer.moves[k], 4));
    // In the front door's result: the same moves, the rotation's count, a stage and a span per phase.
    static SolveResult result;
    FillSolveResult(answer, &result);
    ASSERT_EQ(answer.count, result.algCount);
    EXPECT_EQ(0, std::memcmp(answer.moves, result.alg, sizeof(BlockMove) * answer.count));
    EXPECT_EQ(answer.count - at, result.rotationCount);
    EXPECT_EQ(answer.blockTurns, result.lengthBtm);
    ASSERT_EQ(4, result.stageCount);
    int stageTurns = 0;
    // The stages in the order the solver made them; the spans in the answer's, each naming its stage.
    for (int s = 0; s < 4; ++s) {
      EXPECT_STREQ(names[3 - s], result.stages[s].name);
      EXPECT_EQ(answer.spans[s].begin, result.spans[s].begin);
      EXPECT_STREQ(names[s], result.stages[result.spans[s].stage].name);
      stageTurns += result.stages[s].turns;
    }
    EXPECT_EQ(answer.blockTurns, stageTurns);
  }
}

std::atomic<int> clockReads{0};
// Ten seconds pass between any two reads: any deadline is past as soon as it counts.
double RushingClock() { return 10.0 * clockReads.fetch_add(1); }

TEST_F(PhaseFour, ThePassedLimitStillGivesTheFirstAnswer) {
  Lcg lcg{11};
  BigState state;
  int32_t cells[kCellCount];
  RandomBigPattern(4, lcg, &state, cells);
  SolveLimit limit;
  limit.seconds = 1;
  limit.clock = RushingClock;
  static PhaseAnswer answer;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveWithPhases(4, cells, limit, &answer));
  BigState made;
  BigSolved(4, &made);
  for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
  EXPECT_EQ(0, std::memcmp(made.cells, state.cells, sizeof made.cells));
}

TEST_F(PhaseFour, ACancelledSolveGivesNoAnswer) {
  Lcg lcg{12};
  BigState state;
  int32_t cells[kCellCount];
  RandomBigPattern(4, lcg, &state, cells);
  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  static PhaseAnswer answer;
  EXPECT_EQ(PhaseSolveStatus::kCancelled, SolveWithPhases(4, cells, limit, &answer));
}

TEST_F(PhaseFour, TwoSolvesAtOnce) {
  Lcg lcg{13};
  BigState states[2];
  static int32_t cells[2][kCellCount];
  for (int k = 0; k < 2; ++k) RandomBigPattern(4, lcg, &states[k], cells[k]);
  static PhaseAnswer answers[2];
  PhaseSolveStatus status[2];
  auto solve = [&](int k) {
    SolveLimit limit;
    limit.seconds = 0;
    status[k] = SolveWithPhases(4, cells[k], limit, &answers[k]);
  };
  std::thread other(solve, 1);
  solve(0);
  other.join();
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(PhaseSolveStatus::kSolved, status[k]);
    BigState made;
    BigSolved(4, &made);
    for (int j = 0; j < answers[k].count; ++j) BigApply(&made, answers[k].moves[j]);
    EXPECT_EQ(0, std::memcmp(made.cells, states[k].cells, sizeof made.cells)) << "solve " << k;
  }
}

TEST_F(PhaseFour, SizesWithoutPhasesAreRefused) {
  int32_t cells[kCellCount] = {};
  SolveLimit limit;
  static PhaseAnswer answer;
  EXPECT_FALSE(PhaseSolverFor(3));
  EXPECT_FALSE(PhaseSolverFor(6));
  EXPECT_EQ(PhaseSolveStatus::kUnsupported, SolveWithPhases(6, cells, limit, &answer));
}

}  // namespace
