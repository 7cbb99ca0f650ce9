// The pattern as the 3×3×3 search sees it: from each axis, inverted, turned about its U-D axis and
// under the rotations that leave it as it is; and where a first phase starts.
#pragma once

#include "solve/solve_coordinates.h"

// The axis of a face: U and D, L and R, F and B.
const int kAxis[6] = {0, 1, 2, 1, 2, 0};

// The pattern seen three ways (the U-D, L-R and F-B axes as the second phase's axis), each also
// inverted: the six searches share one best length, and the first to find a short answer cuts the rest.
const int kDirections = 6;

// A position of the first phase, and its distances in the first phase's tables: twist-slice, flip-slice,
// twist-flip, and twist-flip as seen a quarter turn about the U-D axis.
struct Phase1Position {
  int twist, flip, slice, turnedTwist, turnedFlip;
  int distance[4];
};

struct Direction {
  CubieState start, turnedStart;  // the second seen a quarter turn about the U-D axis
  Phase1Position begin;           // of start
  int faceOf[6];                  // the pattern's face for each face of this direction's frame
  int turnedMove[kMoves];         // each move as seen in the turned frame
  // Rotations about the U-D axis, and half turns that swap U and D, under which the start is the same
  // (bits), and each move as seen after each of them.
  unsigned symmetries;
  int symmetryMove[8][kMoves];
  bool inverted;
};

// The cubie effect of move m (face * 3 + quarter turns - 1), from a table.
const CubieState& MoveCubie(int m);
// Fills start from the state (and the same seen turned); false when a distance is past `within`.
// The turned state is `turnedMove` (when not -1) followed by turnedBefore, worked out only when the
// other bounds leave the start within reach.
bool StartOf(const CubieState& state, const CubieState& turnedBefore, int turnedMove, int within,
             Phase1Position* start);
// Fills the kDirections directions: the U-D, L-R and F-B axes as the second phase's, then each inverted.
// False when the pattern reads as no position.
bool SetUpDirections(const int32_t* pattern, Direction* directions);
// A symmetric pattern looks the same from several directions; searching one of them is enough.
bool RepeatsEarlier(const Direction* directions, int direction);
