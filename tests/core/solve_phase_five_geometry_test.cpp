// What the 5×5×5 phases rest on: the low and high wing places and the moves that keep them, the turned
// frames and the moves seen in them, colours read against the fixed centres, axis centres carried by moves
// and symmetries, and the symmetries the tables are kept under.
#include <gtest/gtest.h>

#include <cstring>

#include "solve/phase/five/geometry/five_centres.h"
#include "solve/phase/five/geometry/five_edges.h"
#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/five/geometry/five_symmetry.h"
#include "solve/phase/five/tables/five_stage_joint.h"
#include "solve/phase/phase_pieces.h"
#include "support/cube_helpers.h"

namespace {

const int kN = 5;

void Scramble(Lcg& lcg, int turns, BigState* state) {
  for (int k = 0; k < turns; ++k) {
    const int layer = 1 + lcg.Next() % kN;
    BigApply(state, Block(lcg.Next() % 6, layer, layer, 1 + lcg.Next() % 3));
  }
}

bool Same(const BigState& a, const BigState& b) {
  bool same = true;
  ForEachUsedCell(kN, [&](int cell) { same = same && a.cells[cell] == b.cells[cell]; });
  return same;
}

// Every face turn and the wide half turns: the third phase's moves, which keep each pair on its axis.
int AxisKeepingMoves(BlockMove* moves) {
  int count = 0;
  for (int face = 0; face < 6; ++face) {
    for (int q = 1; q <= 3; ++q) moves[count++] = Block(face, 1, 1, q);
    moves[count++] = Block(face, 1, 2, 2);
  }
  return count;
}

TEST(SolvePhaseFiveGeometry, EachSlotHasOneLowAndOneHighWingPlace) {
  const FiveEdges& edges = FiveEdgeGeometry();
  EXPECT_EQ(12, __builtin_popcount(edges.low));
  for (int s = 0; s < 12; ++s) {
    EXPECT_EQ(s, edges.slotOfWing[edges.lowPlace[s]]);
    EXPECT_EQ(s, edges.slotOfWing[edges.highPlace[s]]);
    EXPECT_TRUE(edges.low >> edges.lowPlace[s] & 1);
    EXPECT_FALSE(edges.low >> edges.highPlace[s] & 1);
  }
  // The three slices part the twelve slots four by four.
  EXPECT_EQ(0xFFFu, SliceSlots(0) | SliceSlots(1) | SliceSlots(2));
  for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(4, __builtin_popcount(SliceSlots(axis)));
}

// The last two phases' moves never twist a middle edge or move a wing between the low and high places;
// the fourth's never move a piece into or out of the E slice, the fifth's into or out of the M slice.
TEST(SolvePhaseFiveGeometry, TheLastPhasesMovesKeepTwistsLowPlacesAndTheirSlice) {
  const FiveEdges& edges = FiveEdgeGeometry();
  BlockMove lists[2][kMaxPhaseMoves];
  const int counts[2] = {FirstEdgesMoves(lists[0]), LastEdgesMoves(lists[1])};
  EXPECT_EQ(16, counts[0]);
  EXPECT_EQ(14, counts[1]);
  for (int phase = 0; phase < 2; ++phase) {
    const uint32_t slice = SliceSlots(phase == 0 ? 0 : 1);
    for (int m = 0; m < counts[phase]; ++m) {
      int8_t from[24], twist[24];
      MovePlaces(OrbitOf(kN, kMiddleEdgeOrbit), lists[phase][m], from, twist);
      for (int s = 0; s < 12; ++s) {
        EXPECT_EQ(0, twist[s]);
        EXPECT_EQ(slice >> s & 1, slice >> from[s] & 1);
      }
      MovePlaces(OrbitOf(kN, kWingOrbit), lists[phase][m], from, twist);
      for (int q = 0; q < 24; ++q) {
        EXPECT_EQ(edges.low >> q & 1, edges.low >> from[q] & 1);
        EXPECT_EQ(slice >> edges.slotOfWing[q] & 1, slice >> edges.slotOfWing[from[q]] & 1);
      }
    }
  }
}

TEST(SolvePhaseFiveGeometry, PiecesReadFromTheSolvedCubeAreHome) {
  BigState solved;
  BigSolved(kN, &solved);
  FiveEdgePieces pieces;
  ASSERT_TRUE(ReadFiveEdges(solved, &pieces));
  const FiveEdges& edges = FiveEdgeGeometry();
  for (int s = 0; s < 12; ++s) {
    EXPECT_EQ(s, pieces.middle[s]);
    EXPECT_EQ(0, pieces.twist[s]);
  }
  for (int q = 0; q < 24; ++q) {
    EXPECT_EQ(edges.slotOfWing[q], pieces.wingEdge[q]);
    EXPECT_EQ(static_cast<int>(edges.low >> q & 1), pieces.wingLow[q]);
  }
}

// A move then the turn leaves the cube where the turn then the move seen in the turned frame does, and
// seeing a move out of the frame undoes seeing it in.
TEST(SolvePhaseFiveGeometry, MovesSeenInATurnedFrame) {
  const FiveTurn* turns[] = {&AxisToFrontBack(0), &AxisToFrontBack(1), &AxisToFrontBack(2),
                             &UpDownToLeftRight()};
  Lcg lcg{5};
  for (const FiveTurn* turn : turns) {
    BlockMove moves[kMaxPhaseMoves];
    const int count = StageMoveList(moves);
    for (int m = 0; m < count; ++m) {
      BigState start;
      BigSolved(kN, &start);
      Scramble(lcg, 10, &start);
      BigState moved = start, turned = start;
      BigApply(&moved, moves[m]);
      for (int k = 0; k < turn->count; ++k) BigApply(&moved, turn->moves[k]);
      for (int k = 0; k < turn->count; ++k) BigApply(&turned, turn->moves[k]);
      const BlockMove seen = IntoTurn(*turn, moves[m]);
      BigApply(&turned, seen);
      EXPECT_TRUE(Same(moved, turned)) << "move " << m;
      const BlockMove back = OutOfTurn(*turn, seen);
      EXPECT_EQ(0, std::memcmp(&back, &moves[m], sizeof back)) << "move " << m;
    }
  }
  // The turns take their axes where their names say.
  BigState solved;
  BigSolved(kN, &solved);
  for (int axis = 0; axis < 3; ++axis) {
    BigState copy = solved;
    const FiveTurn& turn = AxisToFrontBack(axis);
    for (int k = 0; k < turn.count; ++k) BigApply(&copy, turn.moves[k]);
    EXPECT_EQ(axis, AxisOfFace(copy.cells[CellIndex(F, 2, 2)])) << axis;
  }
  BigState copy = solved;
  for (int k = 0; k < UpDownToLeftRight().count; ++k) BigApply(&copy, UpDownToLeftRight().moves[k]);
  EXPECT_EQ(0, AxisOfFace(copy.cells[CellIndex(R, 2, 2)]));
}

TEST(SolvePhaseFiveGeometry, ColoursAreReadAgainstTheFixedCentres) {
  BigState solved;
  BigSolved(kN, &solved);
  const BigRotation* rotations = BigRotations(kN);
  for (int r = 0; r < 24; ++r) {
    BigState turned = solved, seen;
    for (int k = 0; k < rotations[r].count; ++k) BigApply(&turned, rotations[r].moves[k]);
    FixedCentreColours(turned, &seen);
    EXPECT_TRUE(Same(seen, solved)) << r;
  }
  // Renaming the colours changes nothing once they are read against the fixed centres.
  Lcg lcg{9};
  BigState state = solved, renamed, a, b;
  Scramble(lcg, 60, &state);
  const int8_t rename[6] = {3, 5, 0, 1, 4, 2};
  renamed = state;
  ForEachUsedCell(kN, [&](int cell) { renamed.cells[cell] = rename[state.cells[cell]]; });
  FixedCentreColours(state, &a);
  FixedCentreColours(renamed, &b);
  EXPECT_TRUE(Same(a, b));
}

// Following the axis centres through moves agrees with reading them from the moved cells.
TEST(SolvePhaseFiveGeometry, AxisCentresFollowTheMoves) {
  BlockMove moves[kMaxPhaseMoves];
  const int count = AxisKeepingMoves(moves);
  AxisCentreMoves tables[3];
  for (int axis = 0; axis < 3; ++axis) tables[axis].Build(axis, moves, count);
  Lcg lcg{21};
  BigState state;
  BigSolved(kN, &state);
  int centres[3];
  for (int axis = 0; axis < 3; ++axis) {
    centres[axis] = AxisCentres(state, axis);
    EXPECT_EQ(SolvedAxisCentres(axis), centres[axis]);
  }
  for (int k = 0; k < 200; ++k) {
    const int m = lcg.Next() % count;
    BigApply(&state, moves[m]);
    for (int axis = 0; axis < 3; ++axis) {
      centres[axis] = tables[axis].Next(centres[axis], m);
      ASSERT_EQ(AxisCentres(state, axis), centres[axis]) << "turn " << k << " axis " << axis;
    }
  }
  // A cube with an axis short of its colour reads as none.
  BigState mixed;
  BigSolved(kN, &mixed);
  BigApply(&mixed, Block(R, 1, 2, 1));
  EXPECT_EQ(-1, AxisCentres(mixed, 0));
}

// Seeing the cube through a symmetry commutes with the moves (each seen through it), and the axis centres
// seen through one are those read from the cube seen through it.
TEST(SolvePhaseFiveGeometry, SymmetriesSeeCubesAndMovesAlike) {
  Lcg lcg{33};
  int8_t keeping[48];
  const int count = AxisKeepingSymmetries(7, false, keeping);
  EXPECT_EQ(8, count);
  for (int k = 0; k < count; ++k) {
    const int s = keeping[k];
    BigState state, seen, moved, seenMoved;
    BigSolved(kN, &state);
    BlockMove moves[kMaxPhaseMoves];
    const int moveCount = AxisKeepingMoves(moves);
    for (int j = 0; j < 20; ++j) BigApply(&state, moves[lcg.Next() % moveCount]);
    ConjugateState(state, s, &seen);
    const BlockMove move = Block(lcg.Next() % 6, 1, 2, 1);
    BlockMove image;
    ASSERT_TRUE(ConjugateMove(kN, s, move, &image));
    moved = state;
    BigApply(&moved, move);
    ConjugateState(moved, s, &seenMoved);
    BigApply(&seen, image);
    EXPECT_TRUE(Same(seen, seenMoved)) << "symmetry " << s;
    ConjugateState(state, s, &seen);
    for (int axis = 0; axis < 3; ++axis)
      EXPECT_EQ(AxisCentres(seen, axis), ConjugateAxisCentres(axis, AxisCentres(state, axis), s)) << s;
  }
}

TEST(SolvePhaseFiveGeometry, AxisKeepingSymmetriesAndTheirInverses) {
  int8_t symmetries[48];
  EXPECT_EQ(16, AxisKeepingSymmetries(1u << 2, false, symmetries));
  EXPECT_EQ(8, AxisKeepingSymmetries(1u << 1, true, symmetries));
  EXPECT_EQ(4, AxisKeepingSymmetries(7, true, symmetries));
  EXPECT_EQ(0, symmetries[0]);
  for (int s = 0; s < kSymmetries; ++s) {
    const int back = InverseSymmetry(kN, s);
    const int16_t* forward = SymmetrySources(kN, s);
    const int16_t* undo = SymmetrySources(kN, back);
    ForEachUsedCell(kN, [&](int cell) { ASSERT_EQ(cell, undo[forward[cell]]) << s; });
  }
  // A mask seen through a symmetry has its places where the symmetry sends them.
  const OrbitPlaces& wings = OrbitOf(kN, kWingOrbit);
  for (int s : {3, 21, 27}) {
    MaskSymmetry symmetry;
    symmetry.Build(wings, s);
    int8_t from[24];
    SymmetryPlaces(wings, s, from);
    for (int q = 0; q < 24; ++q) EXPECT_EQ(1u << q, symmetry.Apply(1u << from[q]));
  }
}

}  // namespace
