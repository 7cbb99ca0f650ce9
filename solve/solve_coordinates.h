// The two-phase search's coordinates of a cubie state, and the tables over them.
#pragma once

#include <cstddef>
#include <vector>

#include "solve/solve_steps.h"

const int kTwists = 2187, kFlips = 2048, kSlices = 495;  // 3^7, 2^11, C(12,4)
const int kPerms8 = 40320, kPerms4 = 24;
// Four edges that travel together: where they stand, and in which order.
enum EdgeGroup { kSliceEdges, kUpEdges, kDownEdges, kEdgeGroups };
const int kSorted = kSlices * kPerms4;
// Where the four U-layer corners stand (C(8,4)) and the parity of the corner permutation.
const int kCombs = 70 * 2;
const int kMoves = 18, kPhase2Moves = 10;
const int kMaxDepth = 24;
// The identity, the half turns about U-D, L-R and F-B, and each of those after the mirror that swaps
// L and R: they keep the first phase's goal, so a position and its images are equally far from it,
// and the tables keep one of each class.
const int kSymmetries = 8;
const int kTwistClasses = 324, kFlipClasses = 336, kCornerClasses = 5376, kUdClasses = 5328;

struct SearchTables {
  int slicePos[4], udPos[8];        // edge places of the middle layer and of the others
  int groupCubies[kEdgeGroups][4];  // the edges of each group, in order
  int solvedSlice;
  int phase2Move[kPhase2Moves];  // the moves (face * 3 + quarter turns - 1) that keep the subgroup
  int8_t phase2Index[kMoves];    // each move's place among them, -1 for the others
  int16_t twistMove[kTwists][kMoves], flipMove[kFlips][kMoves], sliceMove[kSlices][kMoves];
  uint16_t cornerMove[kPerms8][kMoves], udMove[kPerms8][kPhase2Moves];
  uint16_t sortedMove[kEdgeGroups][kSorted][kMoves];
  int8_t slicePermMove[kPerms4][kPhase2Moves];
  uint8_t combOf[kPerms8];  // of each corner permutation
  // The inverse of each permutation of eight and of four: the second phase's coordinates of a position's
  // inverse, which is as far from solved.
  uint16_t inverse8[kPerms8];
  int8_t inverse4[kPerms4];
  // Each coordinate's class * kSymmetries + the symmetry to its class's first member, and the other
  // coordinates seen after each symmetry.
  uint16_t twistClass[kTwists], flipClass[kFlips], cornerClass[kPerms8], udClass[kPerms8];
  uint16_t flipConj[kSymmetries][kFlips];
  int16_t sliceConj[kSymmetries][kSlices];
  int8_t slicePermConj[kSymmetries][kPerms4];
  uint8_t combConj[kSymmetries][kCombs];
  // Distances two to a byte (Distance reads them), so more of them stay in the processor's cache; the
  // first phase's by class (see TwistSliceIndex).
  uint8_t twistSlicePrune[(kTwistClasses * kSlices + 1) / 2],
      flipSlicePrune[(kFlipClasses * kSlices + 1) / 2];
  uint8_t twistFlipPrune[kTwistClasses * kFlips / 2];
  uint8_t cornerSlicePrune[kCornerClasses * kPerms4 / 2], udSlicePrune[kUdClasses * kPerms4 / 2];
  uint8_t udCombPrune[kUdClasses * kCombs / 2];
};
extern SearchTables searchTables;

inline int Distance(const uint8_t* table, int index) { return table[index >> 1] >> ((index & 1) << 2) & 15; }
// Where a table kept by class holds the pair (first, second): first's class, second seen after the
// symmetry that takes first to its class's first member (a row holds every second).
template <typename Conj, std::size_t kRow>
inline int ClassIndex(const uint16_t* classOf, const Conj (&conj)[kSymmetries][kRow], int first, int second) {
  const int c = classOf[first];
  return c / kSymmetries * static_cast<int>(kRow) + conj[c % kSymmetries][second];
}
inline int TwistSliceIndex(int twist, int slice) {
  return ClassIndex(searchTables.twistClass, searchTables.sliceConj, twist, slice);
}
inline int FlipSliceIndex(int flip, int slice) {
  return ClassIndex(searchTables.flipClass, searchTables.sliceConj, flip, slice);
}
inline int TwistFlipIndex(int twist, int flip) {
  return ClassIndex(searchTables.twistClass, searchTables.flipConj, twist, flip);
}
inline int CornerSliceIndex(int corner, int slicePerm) {
  return ClassIndex(searchTables.cornerClass, searchTables.slicePermConj, corner, slicePerm);
}
inline int UdSliceIndex(int ud, int slicePerm) {
  return ClassIndex(searchTables.udClass, searchTables.slicePermConj, ud, slicePerm);
}
inline int UdCombIndex(int ud, int comb) {
  return ClassIndex(searchTables.udClass, searchTables.combConj, ud, comb);
}

int TwistOf(const CubieState& s);
int FlipOf(const CubieState& s);
int SliceOf(const CubieState& s);
int CornerPermOf(const CubieState& s);
int UdPermOf(const CubieState& s);  // meaningful once the middle-layer edges are in their layer
int SlicePermOf(const CubieState& s);
int CombOf(const CubieState& s);
// The places of a group's edges (as SliceOf for the middle layer) * 24 + their order where they
// stand; for the middle layer in its layer, solvedSlice * 24 + SlicePermOf.
int SortedOf(const CubieState& s, int group);
// Puts the group's edges where `sorted` says; the other edges are left as they are.
void PlaceSorted(int sorted, int group, CubieState* s);
// The second phase's coordinates (corner and U-D edge permutations, middle-layer order) of `a`
// followed by the position they describe; a keeps the subgroup.
void LeftMultiplyPhase2(const CubieState& a, int* corner, int* ud, int* slicePerm);
// The cubie effect of move m (face * 3 + quarter turns - 1).
void MoveCubies(int m, CubieState* s);
void BuildMoveTables();
// Move m as seen after a symmetry.
int SymmetryMove(int symmetry, int m);
// Each class's first member, in order.
struct SymmetryClasses {
  std::vector<int> twists, flips, corners, uds;
};
// The symmetries' tables (after the move tables).
void BuildSymmetryTables(SymmetryClasses* classes);
