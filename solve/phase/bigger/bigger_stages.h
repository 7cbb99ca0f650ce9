// The stages of one way through a big cube: home orientation, centres, wing parities, edges, the
// reduced cube's parity and the 3×3×3 finish, each costed in outer block turns.
#pragma once

#include "solve/big/big_cube.h"
#include "solve/phase/phase_solve.h"

struct StageOptions {
  bool stagedCentres = false;  // the centres begun by the staged search over every orbit at once
  int ringsTo = 0;    // the x- and t-centres searched ring by ring from the middle out to this ring (0: none)
  int lookahead = 3;  // steps of the centres and edges weighed with the best step after each
  bool scatteredCentres = false;  // late centre steps try commutators over layers not adjacent too
  int centreWidth = 0;            // positions the centres' beam keeps for each number of turns (0: greedy)
  int centreBranch = 4;           // steps each of those goes on by
  int centreEnds = 1;             // its ways to the centres taken on through the stages after
  int centreSlack = 8;            // turns those may be longer than its first
  int threads = 1;                // threads the centres' beam searches its positions' steps on
  int edgeWidth = 0;              // positions the edges' beam keeps for each number of turns (0: greedy)
  int edgeBranch = 4;             // steps each of those goes on by
  // Only the wings inside those next to the corners paired, and the rest done by the 5×5×5 solver
  // with every layer between the second and the second last turned as one; its tables must be ready.
  bool finishAsFive = false;
};

enum class StageResult { kSolved, kFailed, kCancelled };

// Runs the stages on the state; on kSolved the answer holds the moves that make the state from the
// solved cube (any rotation last), with a span for each stage, not yet counted.
StageResult RunBiggerStages(const BigState& state, const StageOptions& options, const SolveLimit& limit,
                            PhaseAnswer* answer);
