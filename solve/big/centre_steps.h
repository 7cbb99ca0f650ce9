// The greedy centre steps' shared pieces: a commutator's shape, a step and the best few kept, how
// steps are costed, and the search over commutators of scattered layers that lives in a file of its own.
#pragma once

#include "cube/block_move.h"
#include "solve/big/big_cube.h"

namespace big_centre {

const int kNone = -1000000;

// A commutator [A, Y Z Y'] (or [Y Z Y', A]) about the axis of `face`, Y a face turn across it.
struct Template {
  int8_t face, qa, yFace, qy, qz, order;
};

// A set-up face turn and a commutator whose blocks may each be up to three runs of layers.
const int kMaxRuns = 3;
const int kMaxStepMoves = 1 + 4 * kMaxRuns + 4;

struct Step {
  double ratio = 0;
  int gain = 0;
  int cost = 0;
  int count = 0;
  BlockMove moves[kMaxStepMoves];
};

// The best few steps by centres gained per turn, best first; `ratio` is what a step must beat to join.
const int kMaxChoices = 6;
struct Choices {
  int keep = 1;
  int count = 0;
  Step steps[kMaxChoices];
  double ratio = 0;
};

// Steps are costed in block turns, or in outer block turns (an inner block counts two). In the second
// way a block of a commutator or an insertion that starts next to a face is turned with that face, as
// a wide block: the face's own centres turn out and back within the step, so the centres end as the
// inner block leaves them, for one turn less each time.
struct Costing {
  bool outer = false;
  int lookahead = 0;       // steps weighed with the best step after each (0: the best step alone)
  bool scattered = false;  // commutators over sets of layers that are not adjacent too
  bool inner = false;      // the centres next to the corners' inner corners left out, to go anywhere
};

// Moves a step saves by merging its first move into the last one made: one, or two when they cancel.
int Merged(const BlockMove* last, const BlockMove& first);
// The step's moves as the costing turns them, and what they cost.
int Shape(int n, const Costing& costing, BlockMove* moves, int count);
// Keeps the step among the best few when it gains more per turn than the last kept.
void Consider(Choices* best, int gain, int cost, const BlockMove* moves, int count);
// The commutators of the template over any set of rows (up to kMaxRuns runs of layers) and the columns
// that gain with them, `gain` holding each single 3-cycle's gain (kNone where it is not one).
void BestScattered(const BigState& state, const Costing& costing, int setupCost, const BlockMove* last,
                   const Template& shape, int faceSaved, const int (&gain)[kMaxSize + 1][kMaxSize + 1],
                   Choices* best);

// The best few steps from the state by centres gained per turn, best first (none when nothing gains);
// their count. `last` is the move before them, which the first may merge with.
int BestCentreSteps(const BigState& state, const Costing& costing, const BlockMove* last, int keep,
                    Step* out);
// How many centres show their face's colour, and how many there are (inner: as in Costing).
int CentresHome(const BigState& state, bool inner = false);
int CentreCells(int n, bool inner = false);

}  // namespace big_centre
