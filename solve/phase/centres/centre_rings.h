// The x-centres and t-centres ring by ring from the middle out, each ring through the three centre
// stages by an IDA* over its orbits' tables, with wide turns that reach no deeper than the ring's own
// layer: the rings inside stay home, and the oblique centres are left to the commutators after.
#pragma once

#include <vector>

#include "solve/big/big_cube.h"
#include "solve/solve_limit.h"

// A ring: the x-centres and t-centres whose nearer layer is `ring` (from 1 at the face). The x-centres
// next to the corners' inner corners (ring 1's) are never taken: the 5×5×5 finish places them.
//
// Rings from the middle out to `outermost`, centre tables ready; the turns from the state are
// appended. A stage whose search runs past its budget leaves its ring as it stands, for the
// commutators. False only when cancelled through the limit.
bool SolveCentreRings(const BigState& state, int outermost, const SolveLimit* limit,
                      std::vector<BlockMove>* moves);

// Whether every ring's x-centres and t-centres from the middle out to `outermost` are home.
bool CentreRingsHome(const BigState& state, int outermost);
