// The 4×4×4 and 5×5×5 solvers' front door: a pattern given as cells, a limit, and the answer as block
// moves that make the pattern from the solved cube, with the span each phase's moves take in it.
#pragma once

#include <cstdint>

#include "cube/block_move.h"
#include "solve/phase/phase.h"
#include "solve/solve.h"
#include "solve/solve_limit.h"

const int kMaxPhaseAnswer = kMaxSolveMoves;
const int kMaxAnswerSpans = 10;

struct PhaseAnswerSpan {
  const char* name;  // "stage", "split", "pair", "3x3x3", ...; "short" for a pattern a few turns away
  int begin, end;    // moves of the answer
};

struct PhaseAnswer {
  int n;
  int count;
  BlockMove moves[kMaxPhaseAnswer];  // from the solved cube to the pattern, any rotation last
  int spanCount;
  PhaseAnswerSpan spans[kMaxAnswerSpans];  // in the answer's order
  int outerBlockTurns;  // an outer block counts one, an inner block two, a rotation nothing
  int blockTurns;       // every move but a rotation counts one
  double seconds;
};

enum class PhaseSolveStatus {
  kSolved,
  kNoMemory,     // the tables could not be allocated: the caller falls back to the greedy reduction
  kCancelled,    // through the limit's cancel flag or the store's progress report
  kUnsupported,  // a size these phases are not for, or a pattern they cannot read
};

// Sizes the phases solve.
bool PhaseSolverFor(int n);

// Builds or reads every table size n needs, reporting through the installed store's Progress; a
// caller may do this ahead of the first solve, on any thread.
TableResult PreparePhaseTables(int n);

// The distance tables size n reads, for reports (names, sizes and build times); their count.
int PhaseTablesOf(int n, const class DistanceTable** out, int capacity);

// Solves a reachable pattern of size 4 or 5 (cells in the CellIndex layout, colour k being face k's
// solved colour, in any whole-cube orientation). The limit counts from the call and bounds only the
// search for a better answer: the first answer is always given (unless cancelled). Every answer is
// replayed before it is given. Thread-safe: the working state is the call's own.
PhaseSolveStatus SolveWithPhases(int n, const int32_t* pattern, const SolveLimit& limit, PhaseAnswer* answer);

// Pieces both phase front doors use. The pattern as a state; false when a cell holds no face's colour
// or no cube of the size can show the pattern.
bool ReadPhasePattern(int n, const int32_t* pattern, struct BigState* shown);
// A pattern a few block turns from solved (or solved turned whole) gets its fewest, as the span
// "short"; false for any other.
bool ShortPhaseAnswer(const struct BigState& shown, double seconds, PhaseAnswer* answer);
// Whether the answer made from the solved cube gives the pattern.
bool PhaseAnswerReplays(const PhaseAnswer& answer, const struct BigState& pattern);
// The answer's block turns and outer block turns.
void CountPhaseAnswer(PhaseAnswer* answer);

// The answer in the front door's result: alg, algCount, size, lengthBtm and lengthQ.
void FillSolveResult(const PhaseAnswer& answer, SolveResult* result);
