// The big cube's centre steps in outer block turns: commutators over sets of layers that are not
// adjacent undo centres scattered over many layers in one step, and any pattern's centres end solved
// with moves that replay to the state they leave.
#include <gtest/gtest.h>

#include <cstring>

#include "solve/big/big_cube.h"
#include "solve/phase/answer_moves.h"
#include "study/facelet_map.h"
#include "support/cube_helpers.h"

namespace {

int MisplacedCentres(const BigState& state) {
  int misplaced = 0;
  for (int face = 0; face < 6; ++face)
    for (int row = 1; row + 1 < state.n; ++row)
      for (int column = 1; column + 1 < state.n; ++column)
        misplaced += state.cells[CellIndex(face, row, column)] != face;
  return misplaced;
}

// [A, U Z U'] with A the L layers 3 and 6 and Z the L layers 4 and 7 (no layer the mirror of another):
// four 3-cycles of centres at once, nothing else moved. Undone by the same shape of commutator for 20
// outer block turns (each inner slice counts two); adjacent blocks alone need one per cycle or more.
TEST(BigCentres, ScatteredCommutatorsUndoScatteredCentresInOneStep) {
  const int n = 10;
  BigState state;
  BigSolved(n, &state);
  const BlockMove a[2] = {Block(L, 3, 3, 1), Block(L, 6, 6, 1)};
  const BlockMove z[2] = {Block(L, 4, 4, 3), Block(L, 7, 7, 3)};
  const BlockMove up = Block(U, 1, 1, 1);
  for (const BlockMove& m : a) BigApply(&state, m);
  BigApply(&state, up);
  for (const BlockMove& m : z) BigApply(&state, m);
  BigApply(&state, InverseBlockMove(up));
  for (const BlockMove& m : a) BigApply(&state, InverseBlockMove(m));
  BigApply(&state, up);
  for (const BlockMove& m : z) BigApply(&state, InverseBlockMove(m));
  BigApply(&state, InverseBlockMove(up));
  ASSERT_EQ(12, MisplacedCentres(state));
  ASSERT_TRUE(EdgesPaired(state));

  for (bool scattered : {false, true}) {
    BigState working = state;
    BigMoveList list;
    list.count = 0;
    ASSERT_TRUE(SolveBigCentresOuter(&working, &list, 0, scattered));
    EXPECT_TRUE(CentresSolved(working));
    const int turns = OuterBlockTurns(list.moves, list.count, n);
    if (scattered)
      EXPECT_LE(turns, 20);
    else
      EXPECT_GT(turns, 20);
  }
}

// Random patterns (fixed centres home) of the larger sizes: centres solved, and the moves made, played
// on the pattern, give the state the stage left.
TEST(BigCentres, ScatteredStepsSolveAnyPatternsCentres) {
  Lcg lcg{31};
  for (int n : {8, 9, 10}) {
    BigState pattern;
    BigSolved(n, &pattern);
    for (int k = 0; k < 30 * n; ++k) {
      const int layer = 1 + static_cast<int>(lcg.Next() % static_cast<uint32_t>(n));
      if (n % 2 == 1 && layer == (n + 1) / 2) continue;  // the fixed centres stay home
      BigApply(&pattern, Block(static_cast<int>(lcg.Next() % 6), layer, layer, 1 + lcg.Next() % 3));
    }
    BigState working = pattern;
    BigMoveList list;
    list.count = 0;
    ASSERT_TRUE(SolveBigCentresOuter(&working, &list, 0, true)) << n;
    EXPECT_TRUE(CentresSolved(working)) << n;
    BigState replay = pattern;
    for (int k = 0; k < list.count; ++k) BigApply(&replay, list.moves[k]);
    EXPECT_EQ(0, std::memcmp(replay.cells, working.cells, sizeof replay.cells)) << n;
  }
}

}  // namespace
