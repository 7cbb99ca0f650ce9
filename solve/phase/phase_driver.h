// The driver that runs a list of phases: each phase searched by increasing total length from many
// candidates the phase before left, the best kept across each boundary, and the reduced cube finished
// by the 3×3×3 two-phase search; the answer chosen by its whole length.
#pragma once

#include <vector>

#include "solve/phase/phase.h"

const int kMaxPhases = 8;
const int kMaxSolvingMoves = 160;

struct PhasePlan {
  int count = 0;
  const Phase* phases[kMaxPhases] = {};
};

// How hard a run tries: candidates kept after each phase, and how many reduced cubes the 3×3×3
// search is run on (each for its first answer, then the best few for longer).
struct PhaseEffort {
  int collect[kMaxPhases];  // ways found in each phase before the best are kept
  int keep[kMaxPhases];
  int finishes;
  double finishSeconds;  // per reduced cube in the longer search; 0 for first answers only
};

// A way from the pattern to solved: the phases' moves with the frames' rotations between them.
struct SolvingPath {
  BigState state;  // where the moves lead (solved once the path is whole)
  int length = 0;  // block turns (every move here is an outer block: one each)
  int count = 0;
  BlockMove moves[kMaxSolvingMoves];
  int ends[kMaxPhases + 1] = {};  // moves after each phase, the last the 3×3×3
  BlockMove last;                 // the last turn, seen in the frame the cube is in now
  bool hasLast = false;
};

// The phases one by one from start, then the 3×3×3 search; false when the budget ran out before a
// whole path (or none was found). best keeps the shortest whole path found, if it is shorter than
// what it held (length 0 counts as none).
bool RunPhases(const PhasePlan& plan, const PhaseEffort& effort, const BigState& start, SearchBudget& budget,
               SolvingPath* best);

// Every phase's tables, built or loaded; the first failure's reason.
TableResult PreparePlan(const PhasePlan& plan);
