// Moves that make a pattern from the solved cube: fewest for 2×2×2, two-phase for 3×3×3, reduction for
// 4×4×4 to 10×10×10; one answer shape for every size.
#pragma once

#include "cube/block_move.h"
#include "solve/solve_limit.h"
#include "study/reachability.h"

// Room for the longest answer at 10×10×10, with a wide margin.
const int kMaxSolveMoves = 2400;
const int kMaxSolveStages = 8;
const int kSolveStageNameLength = 16;

// A stage of the answer and the block turns it made, in the order the answer names them.
struct SolveStage {
  char name[kSolveStageNameLength];
  int turns;
};
// The moves alg[begin, end) that stage `stage` made; a stage may make more than one run.
struct SolveSpan {
  int stage;
  int begin, end;
};

struct SolveResult {
  bool solved;       // false: refused, the reasons in problems
  bool unreachable;  // refused because a real cube cannot show the pattern
  int problemCount;
  char problems[kMaxReachProblems][kReachProblemLength];
  int size;
  // The moves that make the pattern from the solved cube, the whole-cube rotation last as x, y and z
  // (its last rotationCount moves).
  int algCount;
  BlockMove alg[kMaxSolveMoves];
  int rotationCount;
  int lengthBtm;   // block turns: every move but a rotation counts one
  int lengthQbtm;  // quarter block turns: a half turn counts two
  int lengthObtm;  // outer block turns: an inner block counts two
  bool optimal;    // known to be the fewest
  // The phase solver's tables could not be had (memory refused): the answer is the plain reduction's,
  // longer than usual.
  bool withoutTables;
  int stageCount;
  SolveStage stages[kMaxSolveStages];
  int spanCount;
  SolveSpan spans[2 * kMaxSolveStages];
  double seconds;
  long nodes;  // positions the search visited: its work, whatever else loads the machine
};

// The problem of a solve cancelled through the limit.
extern const char kSolveCancelled[];
// What an answer made without the phase solver's tables says of itself.
extern const char kSolveWithoutTables[];

// Solves the cube's pattern, within the limit (which bounds only the search for shorter answers, never
// the first answer that every reachable pattern gets). The solver's working state is its own, so
// solves may run at once on any number of threads.
void SolvePattern(const Cube& cube, const SolveLimit& limit, SolveResult* result);
// The same for a pattern of size 4 to 10 given as cells, known to be reachable; `started` is when the
// solve began on the limit's clock.
void SolveBigPattern(int n, const int32_t* pattern, const SolveLimit& limit, double started,
                     SolveResult* result);

// The answer (or with inverse, the way back to solved: the rotation undone first) in the standard
// notation, moves apart by spaces, cut at capacity; returns the characters the whole text needs.
int FormatSolveAlg(const SolveResult& result, bool inverse, char* text, int capacity);
// The same, only its first `limit` moves, then "..." if there are more.
int FormatSolveAlgStart(const SolveResult& result, int limit, char* text, int capacity);
// The move at k of the answer, or of the way back.
BlockMove AnswerMove(const SolveResult& result, bool inverse, int k);
