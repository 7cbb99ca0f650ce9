// The fourth phase's coordinates and distance tables. Four chosen edges, all of whose pieces lie in
// the eight slots of the U and D layers (the frame's quarter turns leave the E slice alone), are to be
// paired in the M slice. Their middles are numbered in the order of the slots holding them; a middle
// coordinate says which four slots those are (70), a wing coordinate which four low (or high) places
// hold the chosen edges' wings and whose middle each belongs to (70 · 24). The centres: U-D's as they
// stand (4900) and F-B's among the 432 the half turns keep them in.
#pragma once

#include <cstdint>

#include "solve/phase/five/geometry/five_centres.h"
#include "solve/phase/phase_search.h"
#include "solve/phase/phase_table.h"
#include "solve/phase/sym_classes.h"

const int kWingPlacings4 = 1680;
const int kEdgePairs4 = 70 * kWingPlacings4;  // a middle value with a wing value
const int kFrontBackKept = 432;
const int kFirstSymmetries = 4;  // the rotations that keep each axis
const int kFirstMoves = 16;

struct FirstData {
  PhaseMoveSet moves;
  int8_t slot[8];  // the U and D layers' slots, in order
  uint8_t middleMove[70][kFirstMoves];
  uint16_t lowMove[kEdgePairs4][kFirstMoves], highMove[kEdgePairs4][kFirstMoves];
  // Under the rotations: the middle and low wing values together, and the middle and high.
  uint32_t lowConjugate[kEdgePairs4][kFirstSymmetries], highConjugate[kEdgePairs4][kFirstSymmetries];
  uint32_t highMirror[kEdgePairs4];  // a mirror that swaps low and high: the high wings seen as low
  SymClasses classes;                // of the middle and low wing values
  AxisCentreMoves upDown, frontBack;
  int16_t keptOf[kAxisCentres];  // F-B's value among the 432, or -1
  int16_t keptValue[kFrontBackKept];
  uint16_t upDownConjugate[kAxisCentres][kFirstSymmetries], upDownMirror[kAxisCentres];
  uint16_t keptConjugate[kFrontBackKept][kFirstSymmetries], keptMirror[kFrontBackKept];
  bool goalCentres[kAxisCentres * kFrontBackKept];
  int goalMiddles, goalWings;
  bool sound = false;  // the sets were found as expected
};

// Built on first use; null when memory was refused.
const FirstData* FirstTables();
// The centre table, then (when asked for) the three large ones.
TableResult PrepareFirstTables(bool large);
int FirstTableList(const DistanceTable** out);

// Index into the edge arrays.
inline int EdgePair(int middles, int wings) { return middles * kWingPlacings4 + wings; }

// The tables' entries for a position (see five_first.cpp's search), each a lower bound; the large tables
// are read only once ready.
struct FirstIndex {
  uint64_t centres, edges, upDown[2], frontBack[2];
  bool large;
};
void FirstIndices(const FirstData& d, int middles, int low, int high, int upDown, int kept, FirstIndex* out);
void PrefetchFirst(const FirstIndex& index);
int FirstBound(const FirstIndex& index);

// The middle and wing values of four chosen edges' pieces given by position (each -1 or the number of
// the chosen edge, 0 to 3, the middles numbered in any way).
void EncodeFirstEdges(const int8_t* middle, const int8_t* low, const int8_t* high, int* middles,
                      int* lowWings, int* highWings);
