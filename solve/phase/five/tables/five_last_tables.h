// The last phase's coordinates and distance tables. The eight edges outside the M slice are paired when,
// at each of their slots, the low wing and the high wing belong to the middle there: each side's wings
// are kept as a permutation of the eight slots (where the middle of each slot's wing stands, 8!). The
// centres: L-R's as they stand (4900) with U-D's and F-B's together among the 36 the moves keep them in.
#pragma once

#include <cstdint>
#include <vector>

#include "solve/phase/five/geometry/five_centres.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"
#include "solve/phase/sym_classes.h"

const int kLastPerms = 40320;
const int kLastMoves = 14;
const int kLastSymmetries = 8;  // the rotations that keep L-R
const int kUpDownFrontBack = 36;

struct LastData {
  PhaseMoveSet moves;
  int8_t slot[8];  // the slots outside the M slice, in order
  uint16_t lowMove[kLastPerms][kLastMoves], highMove[kLastPerms][kLastMoves];
  uint16_t lowConjugate[kLastPerms][kLastSymmetries];
  uint16_t highMirror[kLastPerms];  // a mirror that swaps low and high: the high wings seen as low
  SymClasses classes;               // of the low wings' permutation
  AxisCentreMoves leftRight;
  uint8_t restMove[kUpDownFrontBack][kLastMoves];  // U-D's and F-B's centres together
  uint16_t leftRightConjugate[kAxisCentres][kLastSymmetries], leftRightMirror[kAxisCentres];
  std::vector<uint64_t> rest;  // the 36 values of U-D and F-B, sorted
  int solvedCentres;           // L-R's * 36 + the rest's
  bool symmetric = false;      // the symmetries were found as expected
};

// Built on first use; null when memory was refused.
const LastData* LastTables();
// The centre table, then (when asked for) the large edge table.
TableResult PrepareLastTables(bool large);
int LastTableList(const DistanceTable** out);

// The entries for a position, each a lower bound.
struct LastIndex {
  uint64_t centres, edges[2];
  bool large;  // the edge table is read only once ready
};
void LastIndices(const LastData& d, int low, int high, int centres, LastIndex* out);
void PrefetchLast(const LastIndex& index);
int LastBound(const LastIndex& index);
// U-D's and F-B's centres (their AxisCentres values) as one of the 36, or -1.
int LastRest(const LastData& d, int upDown, int frontBack);
