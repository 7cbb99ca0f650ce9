// The phase solvers' geometry: symmetries and the moves seen through them, pieces read from colours,
// and the ranks their coordinates use.
#include <gtest/gtest.h>

#include <cstring>

#include "solve/phase/answer_moves.h"
#include "solve/phase/mask_moves.h"
#include "solve/phase/phase_geometry.h"
#include "solve/phase/phase_pieces.h"
#include "support/cube_helpers.h"

namespace {

// After the symmetry s, then the move seen through it, the cells are where the move then s leaves them.
TEST(SolvePhaseGeometry, MovesSeenThroughEverySymmetryAgreeWithTheCells) {
  for (int n : {4, 5}) {
    for (int s = 0; s < kSymmetries; ++s) {
      const int16_t* symmetry = SymmetrySources(n, s);
      for (const BlockMove move :
           {Block(R, 1, 1, 1), Block(U, 1, 2, 1), Block(F, 2, 3, 3), Block(D, 1, 1, 2)}) {
        BlockMove seen;
        ASSERT_TRUE(ConjugateMove(n, s, move, &seen));
        int16_t moved[kCellCount], movedSeen[kCellCount];
        CellSources(n, &move, 1, moved);
        CellSources(n, &seen, 1, movedSeen);
        // move then s: cell c holds moved[symmetry[c]]; s then seen: symmetry[movedSeen[c]].
        ForEachUsedCell(n, [&](int cell) {
          ASSERT_EQ(moved[symmetry[cell]], symmetry[movedSeen[cell]]) << "n " << n << " symmetry " << s;
        });
      }
    }
  }
}

TEST(SolvePhaseGeometry, SymmetriesAreDistinctPermutationsAndRotationsFirst) {
  const int n = 4;
  for (int s = 0; s < kSymmetries; ++s) {
    bool seen[kCellCount] = {};
    ForEachUsedCell(n, [&](int cell) {
      const int source = SymmetrySources(n, s)[cell];
      EXPECT_FALSE(seen[source]);
      seen[source] = true;
    });
    for (int t = 0; t < s; ++t)
      EXPECT_NE(0, std::memcmp(SymmetrySources(n, s), SymmetrySources(n, t), sizeof(int16_t) * kCellCount));
  }
  // The first 24 are what x, y and z make; the rest are not.
  const BigRotation* rotations = BigRotations(n);
  for (int r = 0; r < 24; ++r) EXPECT_GE(RotationSymmetry(n, rotations[r].moves, rotations[r].count), 0);
  EXPECT_EQ(0, RotationSymmetry(n, nullptr, 0));
}

TEST(SolvePhaseGeometry, OrbitsHoldTheirPieces) {
  EXPECT_EQ(24, OrbitOf(4, kXCentreOrbit).count);
  EXPECT_EQ(24, OrbitOf(4, kWingOrbit).count);
  EXPECT_EQ(8, OrbitOf(4, kCornerOrbit).count);
  EXPECT_EQ(0, OrbitOf(4, kTCentreOrbit).count);
  EXPECT_EQ(24, OrbitOf(5, kTCentreOrbit).count);
  EXPECT_EQ(24, OrbitOf(5, kXCentreOrbit).count);
  EXPECT_EQ(12, OrbitOf(5, kMiddleEdgeOrbit).count);
  // A t-centre sits beside the middle, an x-centre on a diagonal.
  EXPECT_GE(OrbitOf(5, kTCentreOrbit).placeOfCell[CellIndex(F, 1, 2)], 0);
  EXPECT_GE(OrbitOf(5, kXCentreOrbit).placeOfCell[CellIndex(F, 3, 3)], 0);
  EXPECT_LT(OrbitOf(5, kXCentreOrbit).placeOfCell[CellIndex(F, 2, 2)], 0);
}

// Pieces read from a scrambled cube are those the moves' place permutations carried there.
TEST(SolvePhaseGeometry, PiecesReadFromColoursFollowTheMoves) {
  for (int n : {4, 5})
    for (OrbitKind kind : {kWingOrbit, kCornerOrbit, kMiddleEdgeOrbit}) {
      const OrbitPlaces& orbit = OrbitOf(n, kind);
      if (orbit.count == 0) continue;
      BigState state;
      BigSolved(n, &state);
      int8_t piece[kMaxOrbitPlaces], twist[kMaxOrbitPlaces];
      ASSERT_TRUE(ReadPieces(orbit, state, piece, twist));
      for (int q = 0; q < orbit.count; ++q) EXPECT_EQ(q, piece[q]);
      Lcg lcg{static_cast<uint32_t>(n * 10 + kind)};
      int8_t tracked[kMaxOrbitPlaces], next[kMaxOrbitPlaces];
      for (int q = 0; q < orbit.count; ++q) tracked[q] = static_cast<int8_t>(q);
      for (int k = 0; k < 60; ++k) {
        const int layer = 1 + lcg.Next() % n;
        const BlockMove move = Block(lcg.Next() % 6, layer, layer, 1 + lcg.Next() % 3);
        BigApply(&state, move);
        int8_t from[kMaxOrbitPlaces], turn[kMaxOrbitPlaces];
        MovePlaces(orbit, move, from, turn);
        for (int q = 0; q < orbit.count; ++q) next[q] = tracked[from[q]];
        std::memcpy(tracked, next, sizeof tracked);
      }
      ASSERT_TRUE(ReadPieces(orbit, state, piece, twist));
      for (int q = 0; q < orbit.count; ++q) EXPECT_EQ(tracked[q], piece[q]) << "n " << n << " kind " << kind;
      // A colouring no piece shows is refused.
      state.cells[orbit.cells[0][0]] = state.cells[orbit.cells[0][1]];
      EXPECT_FALSE(ReadPieces(orbit, state, piece, twist));
    }
}

TEST(SolvePhaseGeometry, RanksRoundTrip) {
  for (uint32_t rank = 0; rank < Choose(24, 8); rank += 997) {
    const uint32_t mask = UnrankMask(rank, 24, 8);
    EXPECT_EQ(8, __builtin_popcount(mask));
    EXPECT_EQ(rank, RankMask(mask, 24, 8));
  }
  MaskRanker ranker;
  ranker.Build(0xFFFFFF);
  for (uint32_t rank = 0; rank < Choose(24, 8); rank += 1009)
    EXPECT_EQ(rank, ranker.Rank(UnrankMask(rank, 24, 8)));
  // Within a subset, places outside it are skipped and the rest numbered in order.
  MaskRanker within;
  within.Build(0xF0F0F0);
  EXPECT_EQ(RankMask(0x0F, 12, 4), within.Rank(0xF0));
  EXPECT_EQ(RankMask(0x0F0, 12, 4), within.Rank(0xF000));
  for (uint32_t rank = 0; rank < 40320; rank += 101) {
    int8_t perm[8];
    UnrankPermutation(rank, 8, perm);
    EXPECT_EQ(rank, RankPermutation(perm, 8));
  }
  const int8_t swap[3] = {1, 0, 2}, cycle[3] = {1, 2, 0};
  EXPECT_TRUE(OddPermutation(swap, 3));
  EXPECT_FALSE(OddPermutation(cycle, 3));
}

// Rotations moved last and runs merged: the same cells, no more outer block turns.
TEST(SolvePhaseAnswer, RotationsLastAndMergedRunsKeepThePermutation) {
  Lcg lcg{2024};
  for (int trial = 0; trial < 40; ++trial) {
    const int n = 4 + trial % 2;
    BlockMove moves[40];
    int8_t tags[40];
    int count = 0;
    for (int k = 0; k < 30; ++k) {
      const int first = 1 + lcg.Next() % n,
                last = lcg.Next() % 4 == 0 ? n : first + lcg.Next() % (n - first + 1);
      moves[count] = Block(lcg.Next() % 6, first, last, 1 + lcg.Next() % 3);
      tags[count++] = static_cast<int8_t>(k / 10);
    }
    BigState expected, got;
    BigSolved(n, &expected);
    for (int k = 0; k < count; ++k) BigApply(&expected, moves[k]);
    const int before = OuterBlockTurns(moves, count, n);
    count = RotationsLast(n, moves, tags, count);
    bool rotationSeen = false;
    for (int k = 0; k < count; ++k) {
      if (IsRotation(moves[k], n)) rotationSeen = true;
      EXPECT_FALSE(rotationSeen && !IsRotation(moves[k], n)) << "a turn after a rotation";
      // Tags stay in order: the moves of one part stay together.
      if (k > 0 && tags[k] >= 0 && tags[k - 1] >= 0) {
        EXPECT_LE(tags[k - 1], tags[k]);
      }
    }
    count = MergeRuns(n, moves, tags, count);
    EXPECT_LE(OuterBlockTurns(moves, count, n), before);
    BigSolved(n, &got);
    for (int k = 0; k < count; ++k) BigApply(&got, moves[k]);
    EXPECT_EQ(0, std::memcmp(expected.cells, got.cells, sizeof got.cells)) << "trial " << trial;
  }
}

TEST(SolvePhaseAnswer, OuterBlockTurnsCountInnerBlocksTwice) {
  EXPECT_EQ(1, OuterBlockTurns(Block(R, 1, 1, 1), 4));
  EXPECT_EQ(1, OuterBlockTurns(Block(R, 1, 2, 2), 4));
  EXPECT_EQ(1, OuterBlockTurns(Block(R, 1, 3, 3), 4));
  EXPECT_EQ(1, OuterBlockTurns(Block(R, 3, 4, 1), 4));  // Lw seen from R
  EXPECT_EQ(2, OuterBlockTurns(Block(R, 2, 2, 1), 4));
  EXPECT_EQ(2, OuterBlockTurns(Block(R, 2, 3, 1), 4));
  EXPECT_EQ(0, OuterBlockTurns(Block(R, 1, 4, 1), 4));
  // R then Rw' is the inner slice: one block instead of two, the same two outer block turns.
  BlockMove moves[2] = {Block(R, 1, 1, 1), Block(R, 1, 2, 3)};
  EXPECT_EQ(1, MergeRuns(4, moves, nullptr, 2));
  EXPECT_EQ(2, OuterBlockTurns(moves, 1, 4));
}

}  // namespace
