// The 4×4×4 pairing phase's edge coordinate: for each edge's low wing, which edge's high place holds
// its partner (an even permutation of the twelve edges, the identity once every edge is paired),
// with its distance table kept one entry per class under the symmetries that keep the phase's moves
// and its low places.
#pragma once

#include <cstdint>

#include "solve/phase/phase.h"
#include "solve/phase/phase_table.h"

// What the phase's moves do to the wings, shared with its centre coordinate.
struct PairEdgeData {
  int moveCount;
  int8_t lowTo[kMaxPhaseMoves][12], highTo[kMaxPhaseMoves][12];
  int symmetryCount;
  int8_t symmetryEdge[16][12];  // where each symmetry takes each edge (low to low, high to high)
  int8_t inverseSymmetry[16];
  int8_t firstEdges[4];  // the edges the symmetries keep among themselves (U-F, U-B, D-F, D-B)
  int8_t otherEdges[8];
  int16_t rawOfValues[12 * 12 * 12 * 12];  // the four partners of the first edges -> 0 .. 11879
  int8_t valuesOfRaw[11880][4];
  int8_t restParity[11880];  // the parity of the arrangement with the other eight partners in order
  uint16_t classOfRaw[11880];
  int8_t symmetryOfRaw[11880];  // one symmetry that takes the raw value to its class's own
  uint16_t rawOfClass[11880];
  uint16_t stabiliser[11880];  // the symmetries that keep the class's own raw value, as bits
  int classCount;
};

// Built on first use from the pairing phase's moves and halves.
const PairEdgeData* PairEdgeTables();  // null when memory was refused
TableResult PreparePairEdges();
DistanceTable& PairEdgeDistances();

// partner[e]: the edge whose high place holds the partner of the wing at edge e's low place.
void MovePartners(const PairEdgeData& d, const int8_t* partner, int move, int8_t* out);
// The table's index of the arrangement (its class's, seen through the symmetry that takes it there).
uint64_t PartnerIndex(const PairEdgeData& d, const int8_t* partner);
