// The 5×5×5 solver's phases: one pair of colours' centres onto its axis (turned to F-B); the other two
// pairs' centres onto theirs with the wings' permutation made even; the F-B centres where the later
// half turns finish them, with each middle edge's orientation agreeing with where its wings stand
// (one among the low places, one among the high); four edges paired in one slice with the other
// centres nearly home; the last eight edges paired with every centre home under a restricted set;
// then the reduced cube as a 3×3×3. Colours are read against the fixed middle centres throughout.
#pragma once

#include "solve/phase/phase.h"

class FivePhase : public Phase {
 public:
  // Only the tables of a few megabytes, built in seconds. A phase searches with whichever of its tables
  // are ready: with these alone it reaches the same goal, more slowly.
  virtual TableResult PrepareSmall() const = 0;
};

const FivePhase& FiveStagePhase();
const FivePhase& FiveSplitPhase();
const FivePhase& FiveOrientPhase();
const FivePhase& FiveFirstEdgesPhase();
const FivePhase& FiveLastEdgesPhase();

// Every phase's small tables, for the tests that cannot wait for the large ones.
TableResult PrepareFiveSmallTables();
