// Moves that make the current pattern from the solved cube: fewest for 2×2×2, two-phase for 3×3×3,
// reduction for 4×4×4 to 10×10×10.
#pragma once

#include "cube/block_move.h"
#include "study/reachability.h"

const int kSolveTextLength = 256;
// Room for the longest answer at 10×10×10, with a wide margin.
const int kMaxBigSolveMoves = 2400;
// The stages of a big cube's answer, in the order they are made.
enum BigStage { kStageCentres, kStageEdges, kStageParity, kStageThree, kBigStageCount };
extern const char* const kBigStageNames[kBigStageCount];  // "centres", "edges", "parity", "3x3x3"

struct SolveResult {
  bool solved;       // false: refused, the reasons in problems
  bool unreachable;  // refused because a real cube cannot show the pattern
  int problemCount;
  char problems[kMaxReachProblems][kReachProblemLength];
  char moves[kSolveTextLength];            // face tokens, from the solved cube to the pattern before rotation
  char rotation[kSolveTextLength];         // arrow keys after the moves; empty when the centres are home
  char rotationTurns[kSolveTextLength];    // the same rotation as face and slice turns, for a move file
  char inverseRotation[kSolveTextLength];  // arrow keys that undo the rotation, before the inverse
  char inverse[kSolveTextLength];          // then the moves that bring the pattern back to solved
  int lengthF;                             // face turns, a half turn one
  int lengthQ;                             // quarter turns, a half turn two
  bool optimal;                            // known to be the fewest face turns
  double seconds;
  // Every size: the whole answer in the standard notation's moves, the rotation last as x, y and z,
  // so that it makes the pattern from the solved cube. Sizes 2 and 3 also fill the text fields above.
  int size;
  int algCount;
  BlockMove alg[kMaxBigSolveMoves];
  int lengthBtm;                   // block turns: every move but a rotation counts one
  int stageTurns[kBigStageCount];  // sizes 4 and up: block turns made by each stage
};

// The answer (or with inverse, the way back to solved: the rotation undone first) in the standard
// notation, moves apart by spaces, cut at capacity; returns the characters the whole text needs.
int FormatSolveAlg(const SolveResult& result, bool inverse, char* text, int capacity);
// The same, only its first `limit` moves, then "..." if there are more.
int FormatSolveAlgStart(const SolveResult& result, int limit, char* text, int capacity);

// Solves liveCube at cubeSize within about limitSeconds (used by the 3×3×3 search for shorter
// answers; never the first answer, which every reachable pattern gets). Changes no cube state, the
// size, the generator or the move log.
void SolvePattern(double limitSeconds, SolveResult* result);
// The same for a pattern of size 4 to 10 given as cells, known to be reachable.
void SolveBigPattern(int n, const int32_t* pattern, double limitSeconds, SolveResult* result);
