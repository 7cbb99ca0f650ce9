// Centre orbits at any size and their stage tables: every wide turn moves each orbit as its small
// cube's turn does, the tables read or built hold breadth-first distances over every position, and
// the staged search reaches its goal from positions a few turns away.
#include <gtest/gtest.h>

#include <cstring>

#include "solve/phase/answer_moves.h"
#include "solve/phase/centres/centre_beam.h"
#include "solve/phase/centres/centre_rings.h"
#include "solve/phase/centres/centre_tables.h"
#include "solve/phase/phase_pieces.h"
#include "support/big_patterns.h"
#include "support/cube_helpers.h"

namespace {

// Each size's orbits cover every centre but a fixed one once, each of the kind its cell makes it.
TEST(PhaseCentreOrbits, EveryOrbitIsFoundOnceWithItsKind) {
  const int expected[kMaxSize + 1] = {0, 0, 0, 0, 1, 2, 4, 6, 9, 12, 16};
  for (int n = 4; n <= kMaxSize; ++n) {
    const CentreLayout& layout = CentreLayoutOf(n);
    EXPECT_EQ(expected[n], layout.orbitCount) << n;
    EXPECT_EQ(6 * (n / 2) * 3, layout.moveCount) << n;
    // Each centre cell (but a fixed one) in exactly one orbit's places.
    int owners[kCellCount] = {};
    for (int o = 0; o < layout.orbitCount; ++o)
      for (int q = 0; q < 24; ++q) ++owners[layout.orbits[o].places.cells[q][0]];
    for (int face = 0; face < 6; ++face)
      for (int row = 1; row + 1 < n; ++row)
        for (int column = 1; column + 1 < n; ++column) {
          const bool fixed = n % 2 == 1 && row == n / 2 && column == n / 2;
          EXPECT_EQ(fixed ? 0 : 1, owners[CellIndex(face, row, column)]) << n << " " << row << " " << column;
        }
    for (int o = 0; o < layout.orbitCount; ++o) {
      const CentreOrbit& orbit = layout.orbits[o];
      const int kind = orbit.row == orbit.column             ? kXCentres
                       : n % 2 == 1 && orbit.column == n / 2 ? kTCentres
                       : orbit.row < orbit.column            ? kObliqueLeft
                                                             : kObliqueRight;
      EXPECT_EQ(kind, orbit.kind) << n << " orbit " << o;
    }
  }
}

// One colour's places in every orbit followed through the orbits' models while the real cube turns.
TEST(PhaseCentreOrbits, WideTurnsMoveEachOrbitAsItsModelsTurn) {
  Lcg lcg{2024};
  for (int n = 6; n <= kMaxSize; ++n) {
    const CentreLayout& layout = CentreLayoutOf(n);
    BigState state;
    BigSolved(n, &state);
    uint32_t masks[kMaxCentreOrbits];
    for (int o = 0; o < layout.orbitCount; ++o)
      masks[o] = ColourMask(layout.orbits[o].places, state, 1u << F);
    for (int step = 0; step < 60; ++step) {
      const int m = static_cast<int>(lcg.Next() % static_cast<uint32_t>(layout.moveCount));
      BigApply(&state, layout.moves[m]);
      for (int o = 0; o < layout.orbitCount; ++o) {
        const CentreOrbit& orbit = layout.orbits[o];
        masks[o] = CentreModelOf(orbit.kind).masks.Apply(masks[o], orbit.modelMove[m]);
        ASSERT_EQ(ColourMask(orbit.places, state, 1u << F), masks[o])
            << n << " orbit " << o << " step " << step;
      }
    }
  }
}

class PhaseCentreTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(TableResult::kReady, PrepareCentreTables()); }
};

TEST_F(PhaseCentreTables, HoldBreadthFirstDistancesOverEveryPosition) {
  const DistanceTable* tables[16];
  ASSERT_EQ(12, CentreTables(tables, 16));
  for (int stage = 0; stage < kCentreStages; ++stage) {
    uint32_t goal[kMaxStageMasks];
    StageGoalMasks(stage, goal);
    EXPECT_TRUE(StageGoal(stage, goal));
    for (int kind = 0; kind < kCentreKinds; ++kind) {
      const DistanceTable& table = CentreTable(stage, kind);
      ASSERT_TRUE(table.Ready());
      EXPECT_EQ(0, table.Get(StageIndex(stage, goal)));
      // Every position of each stage is reached: a stage can always finish what the one before left.
      int zeros = 0;
      for (uint64_t index = 0; index < table.Entries(); ++index) {
        const int distance = table.Get(index);
        ASSERT_NE(kUnknownDistance, distance) << table.Name() << " " << index;
        zeros += distance == 0;
      }
      EXPECT_EQ(1, zeros) << table.Name();
    }
  }
}

TEST_F(PhaseCentreTables, OneTurnChangesADistanceByOneAtMost) {
  Lcg lcg{77};
  for (int kind = 0; kind < kCentreKinds; ++kind) {
    const CentreModel& model = CentreModelOf(kind);
    for (int stage = 0; stage < kCentreStages; ++stage) {
      const DistanceTable& table = CentreTable(stage, kind);
      // Random positions of the stage reached by its own turns from the goal.
      uint32_t masks[kMaxStageMasks];
      StageGoalMasks(stage, masks);
      for (int step = 0; step < 400; ++step) {
        const int m = static_cast<int>(lcg.Next() % static_cast<uint32_t>(model.moveCount));
        if (!StageMove(stage, model.moves[m])) continue;
        const int before = table.Get(StageIndex(stage, masks));
        for (int k = 0; k < StageMaskCount(stage); ++k) masks[k] = model.masks.Apply(masks[k], m);
        const int after = table.Get(StageIndex(stage, masks));
        ASSERT_LE(std::abs(after - before), 1) << table.Name();
      }
    }
  }
}

// Each stage from a position a few of its own wide turns from its goal, the earlier stages' goals
// holding: the search ends at the goal, no longer than the turns that made it.
TEST_F(PhaseCentreTables, StagedSearchReachesEachGoalFromNearby) {
  Lcg lcg{31};
  for (int n : {6, 7, 9}) {
    const CentreLayout& layout = CentreLayoutOf(n);
    for (int stage = 0; stage < kCentreStages; ++stage) {
      BigState state;
      BigSolved(n, &state);
      int made = 0;
      while (made < 3) {
        const BlockMove& move = layout.moves[lcg.Next() % static_cast<uint32_t>(layout.moveCount)];
        if (!StageMove(stage, move)) continue;
        BigApply(&state, move);
        ++made;
      }
      for (int earlier = 0; earlier < stage; ++earlier) ASSERT_TRUE(CentreStageDone(earlier, state));
      CentreEffort effort;
      effort.width = 100;
      effort.ways = 1;
      const std::vector<CentreWay> ways = RunCentreStage(stage, {state}, effort, nullptr);
      ASSERT_EQ(1u, ways.size());
      EXPECT_TRUE(CentreStageDone(stage, ways[0].state)) << n << " stage " << stage;
      EXPECT_EQ(0, CentreStageDistance(stage, ways[0].state));
      EXPECT_LE(OuterBlockTurns(ways[0].moves.data(), static_cast<int>(ways[0].moves.size()), n), made)
          << n << " stage " << stage;
      // The way's moves, played on the start, are where the way says it ends.
      BigState replay = state;
      for (const BlockMove& move : ways[0].moves) BigApply(&replay, move);
      EXPECT_EQ(0, std::memcmp(replay.cells, ways[0].state.cells, sizeof replay.cells));
    }
  }
}

TEST_F(PhaseCentreTables, AStalledSearchHandsOnItsBestAndACancelledOneNothing) {
  Lcg lcg{5};
  BigState state;
  BigSolved(8, &state);
  for (int k = 0; k < 320; ++k) {
    const int layer = 1 + lcg.Next() % 8;
    BigApply(&state, Block(lcg.Next() % 6, layer, layer, 1 + lcg.Next() % 3));
  }
  CentreEffort effort;
  effort.width = 40;
  effort.ways = 1;
  effort.patience = 2;
  const int before = CentreStageDistance(0, state);
  const std::vector<CentreWay> ways = RunCentreStage(0, {state}, effort, nullptr);
  ASSERT_EQ(1u, ways.size());
  EXPECT_LT(CentreStageDistance(0, ways[0].state), before);

  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  EXPECT_TRUE(RunCentreStage(0, {state}, effort, &limit).empty());
}

// Every ring from the middle out ends home, the inner ones kept while the outer ones are searched:
// from random patterns where each ring is one orbit (whose table is exact), and from patterns a dozen
// wide turns deep where a ring's two orbits are searched together. Rings home already cost nothing; a
// cancelled search stops.
TEST_F(PhaseCentreTables, RingsEndHomeFromTheMiddleOut) {
  Lcg lcg{2026};
  for (int n = 6; n <= kMaxSize; ++n) {
    BigState state;
    int32_t cells[kCellCount];
    if (n % 2 == 0) {
      RandomBigPattern(n, lcg, &state, cells);
    } else {
      BigSolved(n, &state);
      for (int k = 0; k < 12; ++k)
        BigApply(&state, Block(lcg.Next() % 6, 1, 1 + lcg.Next() % (n / 2), 1 + lcg.Next() % 3));
    }
    EXPECT_FALSE(CentreRingsHome(state, 2)) << n;
    std::vector<BlockMove> moves;
    ASSERT_TRUE(SolveCentreRings(state, 2, nullptr, &moves)) << n;
    // Each turn a face turn or one layer past its ring, the rings taken from the middle out.
    int deepest = n / 2;
    for (const BlockMove& move : moves) {
      EXPECT_EQ(1, move.first) << n;
      if (move.last == 1) continue;
      EXPECT_LE(move.last, deepest) << n;
      EXPECT_GE(move.last, 3) << n;
      deepest = move.last;
    }
    for (const BlockMove& move : moves) BigApply(&state, move);
    EXPECT_TRUE(CentreRingsHome(state, 2)) << n;
  }

  // Turns no deeper than two layers leave the 9×9×9's rings from the third inwards as they were.
  BigState state;
  BigSolved(9, &state);
  for (int k = 0; k < 40; ++k)
    BigApply(&state, Block(lcg.Next() % 6, 1, 1 + lcg.Next() % 2, 1 + lcg.Next() % 3));
  std::vector<BlockMove> moves;
  ASSERT_TRUE(SolveCentreRings(state, 3, nullptr, &moves));
  EXPECT_TRUE(moves.empty());
  EXPECT_FALSE(CentreRingsHome(state, 1));

  std::atomic<bool> cancel{true};
  SolveLimit limit;
  limit.cancel = &cancel;
  int32_t cells[kCellCount];
  RandomBigPattern(9, lcg, &state, cells);
  EXPECT_FALSE(SolveCentreRings(state, 2, &limit, &moves));
}

}  // namespace
