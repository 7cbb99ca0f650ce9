// The 5×5×5's edges as the phases after the centres see them: twelve slots (the middle edges' places),
// each with one wing place among the low places, which the last two phases' moves keep among
// themselves, and one among the high; the pieces a state shows there; and the moves of those phases.
#pragma once

#include <cstdint>

#include "solve/phase/five/geometry/five_frame.h"

struct FiveEdges {
  int8_t slotOfWing[24];
  int8_t lowPlace[12], highPlace[12];  // by slot
  uint32_t low;                        // the low wing places, as a mask
  int8_t faces[12][2];                 // each slot's two faces
};
const FiveEdges& FiveEdgeGeometry();

// The slots of the edges that lie along an axis (0: U-D, the E slice; 1: L-R, the M slice; 2: F-B, the
// S slice), as a mask.
uint32_t SliceSlots(int axis);

// The moves of the fourth phase (quarter turns of U and D, half turns of the other faces and of every
// wide block) and of the fifth (quarter turns of R and L, half turns of U, D, F and B and of the wide
// blocks that do not cut the M slice's edges), in the frame both work in; their counts.
int FirstEdgesMoves(BlockMove* moves);
int LastEdgesMoves(BlockMove* moves);

// The edge pieces a state shows (colours read against the fixed centres).
struct FiveEdgePieces {
  int8_t middle[12], twist[12];  // by slot: the middle piece (its home slot) and its twist
  int8_t wingEdge[24];           // by wing place: the wing's edge (its home slot)
  int8_t wingLow[24];            // by wing place: 1 when the wing's home is a low place
};
bool ReadFiveEdges(const BigState& fixedColours, FiveEdgePieces* out);
