// The 4×4×4 solver's phases: one axis's centres staged; the other centres split with the wings'
// parity made even and the wings parted for the last phase; the centres finished with every edge
// paired under a restricted set; then the reduced cube as a 3×3×3.
#pragma once

#include "solve/phase/phase.h"

const Phase& FourStagePhase();
const Phase& FourSplitPhase();
const Phase& FourPairPhase();

// The moves of the pairing phase, which the splitting phase's goal is read against; their count.
int FourPairMoves(BlockMove* moves);
// The wing places the pairing phase keeps among themselves (its low places), as a mask of the wing
// orbit's places, and each edge's low and high place.
struct WingHalves {
  uint32_t low;
  int8_t lowPlace[12], highPlace[12];
  int8_t edgeOf[24];  // the edge (0 to 11) of each wing place
};
const WingHalves& FourWingHalves();
