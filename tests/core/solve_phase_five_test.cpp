// The 5×5×5 phase solver. With the small tables alone (PhaseFiveSmall, which the slow stages can run):
// each phase reaches its goal from near it, its bounds never exceed a way's length, colours are read
// against the fixed centres, patterns a few block turns away get no longer answers, and copies of tables
// are checked. With every table (PhaseFive, after PhaseFiveTables builds them once): each phase's goal
// holds on random patterns, answers replay from any orientation, the limit and the cancel flag are kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "solve/phase/answer_moves.h"
#include "solve/phase/five/five_phases.h"
#include "solve/phase/five/geometry/five_centres.h"
#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/tables/five_stage_joint.h"
#include "solve/phase/phase_pieces.h"
#include "solve/phase/phase_solve.h"
#include "solve/table_store.h"
#include "study/pieces.h"
#include "support/big_patterns.h"
#include "support/cube_helpers.h"

namespace {

const int kN = 5;

const FivePhase& PhaseNumber(int k) {
  const FivePhase* phases[] = {&FiveStagePhase(), &FiveSplitPhase(), &FiveOrientPhase(),
                               &FiveFirstEdgesPhase(), &FiveLastEdgesPhase()};
  return *phases[k];
}

// The moves each phase searches with (the first phase's, then the second's, ...): each keeps the goals of
// the phases before it, so a few of them from the solved cube make a pattern near the phase's goal.
int MovesOf(int k, BlockMove* moves) {
  int count = 0;
  switch (k) {
    case 0: return StageMoveList(moves);
    case 1:
      for (int face : {U, D, R, L})
        for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
      for (int face : {F, B})
        for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 2, q);
      for (int face : {U, D, R, L}) moves[count++] = Block(face, 1, 2, 2);
      return count;
    case 2:
      for (int face = 0; face < 6; ++face) {
        for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
        moves[count++] = Block(face, 1, 2, 2);
      }
      return count;
    case 3: count = FirstEdgesMoves(moves); return count + LastEdgesMoves(moves + count);
    default: return LastEdgesMoves(moves);
  }
}

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

// The phase's shortest way from the state, applied, then its frame; its length, or -1 when none.
int RunPhase(const Phase& phase, BigState* state, std::vector<BlockMove>* way = nullptr) {
  for (int length = phase.Bound(*state); length <= phase.MaxLength(); ++length) {
    FirstFind find;
    SearchBudget budget;
    phase.Search(*state, length, nullptr, find, budget);
    if (find.count < 0) continue;
    for (int k = 0; k < find.count; ++k) BigApply(state, find.moves[k]);
    if (way != nullptr) way->assign(find.moves, find.moves + find.count);
    BlockMove rotation[3];
    const int turns = phase.Frame(*state, rotation);
    for (int k = 0; k < turns; ++k) BigApply(state, rotation[k]);
    return length;
  }
  return -1;
}

// Whether every x- and t-centre of the axis's two colours is on the axis's faces.
bool AxisHoldsItsColours(const BigState& seen, int axis) { return AxisCentres(seen, axis) >= 0; }

bool WingsEven(const BigState& seen) {
  int8_t wings[24], twist[24];
  return ReadPieces(OrbitOf(kN, kWingOrbit), seen, wings, twist) && !OddPermutation(wings, 24);
}

// Each edge's wings parted between the low and high places, its middle twisted as its low-home wing is high.
bool TwistsAgreeWithWings(const BigState& seen) {
  FiveEdgePieces pieces;
  if (!ReadFiveEdges(seen, &pieces)) return false;
  const FiveEdges& edges = FiveEdgeGeometry();
  int twist[12], low[12] = {}, homeLowIsHigh[12] = {};
  for (int s = 0; s < 12; ++s) twist[pieces.middle[s]] = pieces.twist[s];
  for (int q = 0; q < 24; ++q) {
    const bool isLow = edges.low >> q & 1;
    low[pieces.wingEdge[q]] += isLow;
    if (pieces.wingLow[q] && !isLow) homeLowIsHigh[pieces.wingEdge[q]] = 1;
  }
  for (int e = 0; e < 12; ++e)
    if (low[e] != 1 || twist[e] != homeLowIsHigh[e]) return false;
  return true;
}

// The slice's four slots each hold a middle with both its wings.
bool SlicePaired(const BigState& seen, uint32_t slice) {
  FiveEdgePieces pieces;
  if (!ReadFiveEdges(seen, &pieces)) return false;
  const FiveEdges& edges = FiveEdgeGeometry();
  for (int s = 0; s < 12; ++s)
    if ((slice >> s & 1) && (pieces.wingEdge[edges.lowPlace[s]] != pieces.middle[s] ||
                             pieces.wingEdge[edges.highPlace[s]] != pieces.middle[s]))
      return false;
  return true;
}

bool Contains(const std::vector<uint64_t>& sorted, uint64_t value) {
  return std::binary_search(sorted.begin(), sorted.end(), value);
}

// What each phase leaves, read from the cube (colours against its fixed centres), in the frame it leaves.
void ExpectGoal(int k, const BigState& state, const char* where) {
  BigState seen;
  FixedCentreColours(state, &seen);
  BlockMove later[2 * kMaxPhaseMoves], last[kMaxPhaseMoves];
  int laterCount = FirstEdgesMoves(later);
  laterCount += LastEdgesMoves(later + laterCount);
  const int lastCount = LastEdgesMoves(last);
  switch (k) {
    case 0: EXPECT_TRUE(AxisHoldsItsColours(seen, 2)) << where; break;
    case 1:
      for (int axis = 0; axis < 3; ++axis)
        EXPECT_TRUE(AxisHoldsItsColours(seen, axis)) << where << " axis " << axis;
      EXPECT_TRUE(WingsEven(seen)) << where;
      break;
    case 2: {
      const int frontBack = 2;
      EXPECT_TRUE(Contains(ReachedCentres(&frontBack, 1, later, laterCount), AxisCentres(seen, 2))) << where;
      EXPECT_TRUE(TwistsAgreeWithWings(seen)) << where;
      break;
    }
    case 3: {
      const int axes[2] = {0, 2};
      const uint64_t both = static_cast<uint64_t>(AxisCentres(seen, 0)) * kAxisCentres + AxisCentres(seen, 2);
      EXPECT_TRUE(Contains(ReachedCentres(axes, 2, last, lastCount), both)) << where;
      EXPECT_TRUE(SlicePaired(seen, SliceSlots(1))) << where;
      EXPECT_TRUE(TwistsAgreeWithWings(seen)) << where;
      break;
    }
    default: EXPECT_TRUE(CentresSolved(state)) << where; EXPECT_TRUE(EdgesPaired(state)) << where;
  }
}

// The solved cube, its colours renamed as a whole-cube rotation would show them, after `turns` of the
// phase's moves.
void NearGoal(int k, int turns, Lcg& lcg, BigState* state) {
  BigSolved(kN, state);
  const int r = lcg.Next() % 24;
  ForEachUsedCell(kN, [&](int cell) {
    state->cells[cell] = static_cast<int8_t>(SymmetryFace(kN, r, state->cells[cell]));
  });
  BlockMove moves[2 * kMaxPhaseMoves];
  const int count = MovesOf(k, moves);
  for (int j = 0; j < turns; ++j) BigApply(state, moves[lcg.Next() % count]);
}

class PhaseFiveSmall : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TableResult::kReady, PrepareFiveSmallTables()); }
};

TEST_F(PhaseFiveSmall, EachPhaseReachesItsGoalFromNearIt) {
  Lcg lcg{41};
  for (int k = 0; k < 5; ++k)
    for (int trial = 0; trial < 3; ++trial) {
      BigState state;
      const int turns = 3 + trial;
      NearGoal(k, turns, lcg, &state);
      const int length = RunPhase(PhaseNumber(k), &state);
      ASSERT_GE(length, 0) << "phase " << k + 1;
      EXPECT_LE(length, turns) << "phase " << k + 1;
      ExpectGoal(k, state, PhaseNumber(k).Name());
    }
}

// A pattern `turns` of a phase's moves from its goal is never bounded farther; the goal itself at 0.
TEST_F(PhaseFiveSmall, BoundsNeverExceedAWayToTheGoal) {
  Lcg lcg{43};
  for (int k = 0; k < 5; ++k) {
    BigState state;
    NearGoal(k, 0, lcg, &state);
    EXPECT_EQ(0, PhaseNumber(k).Bound(state)) << "phase " << k + 1;
    for (int trial = 0; trial < 40; ++trial) {
      const int turns = 1 + trial % 8;
      NearGoal(k, turns, lcg, &state);
      EXPECT_LE(PhaseNumber(k).Bound(state), turns) << "phase " << k + 1;
    }
  }
}

// Colours renamed for another orientation change no way a phase finds: they are read against the fixed
// centres.
TEST_F(PhaseFiveSmall, RenamedColoursAreFoundTheSameWays) {
  Lcg lcg{47};
  for (int k = 0; k < 5; ++k) {
    BigState state, renamed;
    NearGoal(k, 4, lcg, &state);
    const int r = 1 + lcg.Next() % 23;
    renamed = state;
    ForEachUsedCell(kN, [&](int cell) {
      renamed.cells[cell] = static_cast<int8_t>(SymmetryFace(kN, r, state.cells[cell]));
    });
    std::vector<BlockMove> first, second;
    ASSERT_GE(RunPhase(PhaseNumber(k), &state, &first), 0);
    ASSERT_GE(RunPhase(PhaseNumber(k), &renamed, &second), 0);
    ASSERT_EQ(first.size(), second.size()) << "phase " << k + 1;
    // A phase whose goal already holds finds no move, and an empty vector may have no data to compare.
    EXPECT_TRUE(first.empty() ||
                std::memcmp(first.data(), second.data(), sizeof(BlockMove) * first.size()) == 0)
        << "phase " << k + 1;
  }
}

// One to four block turns of any layers, whole-cube turns among them: the fewest, never more than made it.
TEST_F(PhaseFiveSmall, PatternsAFewBlockTurnsAwayGetNoLongerAnswers) {
  Lcg lcg{53};
  for (int turns = 1; turns <= 4; ++turns)
    for (int trial = 0; trial < 5; ++trial) {
      BigState state;
      BigSolved(kN, &state);
      int made = 0;
      for (int j = 0; j < turns; ++j) {
        const int first = 1 + lcg.Next() % kN, last = first + lcg.Next() % (kN + 1 - first);
        const BlockMove move = Block(lcg.Next() % 6, first, last, 1 + lcg.Next() % 3);
        BigApply(&state, move);
        made += BlockTurns(move, kN);
      }
      int32_t cells[kCellCount] = {};
      for (int c = 0; c < kCellCount; ++c) cells[c] = state.cells[c];
      SolveLimit limit;
      limit.seconds = 0;
      static PhaseAnswer answer;
      ASSERT_EQ(PhaseSolveStatus::kSolved, SolveWithPhases(kN, cells, limit, &answer));
      EXPECT_LE(answer.blockTurns, made);
      BigState replayed;
      BigSolved(kN, &replayed);
      for (int j = 0; j < answer.count; ++j) BigApply(&replayed, answer.moves[j]);
      EXPECT_EQ(0, std::memcmp(replayed.cells, state.cells, sizeof state.cells));
    }
}

// A twisted corner on a scrambled 4×4×4 or 5×5×5: refused by the front door, which once left the last
// phase searching every length.
TEST_F(PhaseFiveSmall, APatternNoCubeCanShowIsRefused) {
  Lcg lcg{59};
  for (int n : {4, 5}) {
    BigState state;
    int32_t cells[kCellCount];
    RandomBigPattern(n, lcg, &state, cells);
    const PieceSet& set = PiecesOf(n);
    const Piece* corner = &set.pieces[0];
    while (corner->kind != kCornerPiece) ++corner;
    const int32_t first = cells[corner->cells[0]];
    cells[corner->cells[0]] = cells[corner->cells[1]];
    cells[corner->cells[1]] = cells[corner->cells[2]];
    cells[corner->cells[2]] = first;
    SolveLimit limit;
    limit.seconds = 0;
    static PhaseAnswer answer;
    EXPECT_EQ(PhaseSolveStatus::kUnsupported, SolveWithPhases(n, cells, limit, &answer)) << n;
  }
}

// Copies of the joint table that are not what its build leaves are not trusted.
TEST_F(PhaseFiveSmall, ForeignCopiesOfTheJointTableAreRejected) {
  // Nothing of this test's kept in the store.
  TableStore* store = InstalledTableStore();
  InstallTableStore(nullptr);
  for (int fill : {0, 7, 15, -1}) {
    DistanceTable copy("copy", 1, StageJointTable().Entries());
    ASSERT_EQ(TableResult::kReady, copy.Ensure(
                                       [fill](DistanceTable& t) {
                                         uint64_t state = 1;
                                         for (uint64_t k = 0; k < t.Entries(); ++k) {
                                           state = state * 6364136223846793005ull + 1;
                                           t.Set(k, fill >= 0 ? fill : static_cast<int>(state >> 60));
                                         }
                                         return true;
                                       },
                                       [](const DistanceTable&) { return false; }));
    EXPECT_FALSE(StageJointTrusted(copy)) << fill;
  }
  InstallTableStore(store);
}

class PhaseFiveTables : public ::testing::Test {};

TEST_F(PhaseFiveTables, AreBuiltOrReadOnce) { EXPECT_EQ(TableResult::kReady, PreparePhaseTables(kN)); }

class PhaseFive : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TableResult::kReady, PreparePhaseTables(kN)); }
};

TEST_F(PhaseFive, EachPhaseEndsAtItsGoal) {
  Lcg lcg{61};
  for (int trial = 0; trial < 3; ++trial) {
    BigState state;
    int32_t cells[kCellCount];
    RandomBigPattern(kN, lcg, &state, cells);
    for (int k = 0; k < 5; ++k) {
      ASSERT_GE(RunPhase(PhaseNumber(k), &state), 0) << "phase " << k + 1;
      ExpectGoal(k, state, PhaseNumber(k).Name());
    }
  }
}

TEST_F(PhaseFive, BoundsNeverExceedAWayToTheGoal) {
  Lcg lcg{67};
  for (int k = 0; k < 5; ++k)
    for (int trial = 0; trial < 60; ++trial) {
      BigState state;
      const int turns = 1 + trial % 12;
      NearGoal(k, turns, lcg, &state);
      EXPECT_LE(PhaseNumber(k).Bound(state), turns) << "phase " << k + 1;
    }
  EXPECT_TRUE(StageJointTrusted(StageJointTable()));
}

TEST_F(PhaseFive, AnswersReplayFromAnyOrientation) {
  Lcg lcg{71};
  const char* names[] = {"3x3x3", "last edges", "first edges", "orient", "split", "stage"};
  for (int trial = 0; trial < 4; ++trial) {
    BigState state;
    int32_t cells[kCellCount];
    RandomBigPattern(kN, lcg, &state, cells);
    SolveLimit limit;
    limit.seconds = 0;
    static PhaseAnswer answer;
    ASSERT_EQ(PhaseSolveStatus::kSolved, SolveWithPhases(kN, cells, limit, &answer));
    BigState made;
    BigSolved(kN, &made);
    for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
    EXPECT_EQ(0, std::memcmp(made.cells, state.cells, sizeof made.cells)) << "trial " << trial;
    EXPECT_EQ(OuterBlockTurns(answer.moves, answer.count, kN), answer.outerBlockTurns);
    EXPECT_LT(answer.outerBlockTurns, 90);
    // The phases turn outer blocks only; a face turn merged with the wide turn beside it may leave an inner
    // block, which counts two.
    EXPECT_LE(answer.blockTurns, answer.outerBlockTurns);
    ASSERT_EQ(6, answer.spanCount);
    int at = 0;
    for (int s = 0; s < 6; ++s) {
      EXPECT_STREQ(names[s], answer.spans[s].name);
      EXPECT_EQ(at, answer.spans[s].begin);
      EXPECT_LE(answer.spans[s].begin, answer.spans[s].end);
      at = answer.spans[s].end;
    }
    for (int k = at; k < answer.count; ++k) EXPECT_TRUE(IsRotation(answer.moves[k], kN));
    static SolveResult result;
    FillSolveResult(answer, &result);
    ASSERT_EQ(6, result.stageCount);
    int stageTurns = 0;
    for (int s = 0; s < 6; ++s) stageTurns += result.stages[s].turns;
    EXPECT_EQ(answer.blockTurns, stageTurns);
  }
}

std::atomic<int> clockReads{0};
// Ten seconds pass between any two reads: any deadline is past as soon as it counts.
double RushingClock() { return 10.0 * clockReads.fetch_add(1); }

TEST_F(PhaseFive, APassedLimitStillGivesTheFirstAnswerAndCancelGivesNone) {
  Lcg lcg{73};
  BigState state;
  int32_t cells[kCellCount];
  RandomBigPattern(kN, lcg, &state, cells);
  SolveLimit limit;
  limit.seconds = 1;
  limit.clock = RushingClock;
  static PhaseAnswer answer;
  ASSERT_EQ(PhaseSolveStatus::kSolved, SolveWithPhases(kN, cells, limit, &answer));
  BigState made;
  BigSolved(kN, &made);
  for (int k = 0; k < answer.count; ++k) BigApply(&made, answer.moves[k]);
  EXPECT_EQ(0, std::memcmp(made.cells, state.cells, sizeof made.cells));
  std::atomic<bool> cancel{true};
  SolveLimit cancelled;
  cancelled.cancel = &cancel;
  EXPECT_EQ(PhaseSolveStatus::kCancelled, SolveWithPhases(kN, cells, cancelled, &answer));
}

}  // namespace
