// The 6×6×6 to 10×10×10 solver's front door: the pattern reduced inside its second layers (centres,
// wing parities, edges, the pairs' parity) and finished as a 5×5×5, or, without the 5×5×5's tables,
// reduced whole and finished as a 3×3×3; moves costed in outer block turns; a first answer at once,
// then other ways tried while the limit allows and the shortest whole answer kept.
#pragma once

#include <cstdint>

#include "solve/phase/phase_solve.h"

// Sizes this solver is for.
bool BiggerSolverFor(int n);

// Builds or reads the 5×5×5 solver's tables and the centre stage tables (shared by every size, through
// the installed store with its progress and cancel); a caller may do this ahead of the first solve, on
// any thread. Without them (memory refused) the solver still answers, by the longer way or from fewer.
TableResult PrepareBiggerTables();
// Those tables, for reports; their count.
int BiggerTablesOf(const class DistanceTable** out, int capacity);

// Solves a reachable pattern of size 6 to 10 (cells in the CellIndex layout, colour k being face k's
// solved colour, in any whole-cube orientation). The limit counts from the call and bounds only the
// search for a better answer: the first answer is always given unless cancelled. Every answer is
// replayed before it is given; spans name "centres", "wing parity", "edges", "parity" and "5x5x5" or
// "3x3x3" (or "short" for a pattern a few turns from solved). Thread-safe: the working state is the call's
// own.
PhaseSolveStatus SolveBiggerWithPhases(int n, const int32_t* pattern, const SolveLimit& limit,
                                       PhaseAnswer* answer);
