// The edge stage's pieces that its beam shares with its greedy: the best few steps from a position, the
// wings paired, and the greedy itself to finish from where the beam stops.
#pragma once

#include "cube/block_move.h"
#include "solve/big/big_cube.h"

namespace big_edge {

// A slice, a few face turns and the slice back, costed in outer block turns.
const int kMaxStepMoves = 10;
const int kMaxEdgeSteps = 8;

struct EdgeStep {
  int gain = 0;
  int cost = 0;
  int count = 0;
  BlockMove moves[kMaxStepMoves];
};

// The best few steps (up to kMaxEdgeSteps) that keep the centres, by wings paired per outer block turn,
// best first; where none gains alone and `setups` is set, the best behind one face turn; none when
// nothing gains. Their count. Inner: the wings next to the corners left out (see EdgeTablesOf).
int BestEdgeSteps(const BigState& state, int keep, bool setups, EdgeStep* out, bool inner = false);
// The edge stage's score: wings that agree with the rest of their edge; and the score when all do.
int PairedWings(const BigState& state, bool inner = false);
int EveryWing(int n, bool inner = false);
// The greedy edge stage in outer block turns. Unbounded, every macro is fully rescored rather than first
// bounded and then rescored where it changes: the same steps, more slowly, for checking the two agree.
bool PairEdgesGreedy(BigState* state, BigMoveList* list, int lookahead, bool bounded = true,
                     bool inner = false);

}  // namespace big_edge
