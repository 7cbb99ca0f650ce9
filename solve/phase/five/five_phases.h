// The 5×5×5 solver's phases: one pair of colours' centres onto its axis (turned to F-B); the other two
// pairs' centres onto theirs with the wings' permutation made even; the F-B centres where the later
// half turns finish them, with each middle edge's orientation agreeing with where its wings stand
// (one among the low places, one among the high); four edges paired in one slice with the other
// centres nearly home; the last eight edges paired with every centre home under a restricted set;
// then the reduced cube as a 3×3×3. Colours are read against the fixed middle centres throughout.
#pragma once

#include "solve/phase/phase.h"

const Phase& FiveStagePhase();
const Phase& FiveSplitPhase();
const Phase& FiveOrientPhase();
const Phase& FiveFirstEdgesPhase();
const Phase& FiveLastEdgesPhase();
