// Moves that make the current pattern from the solved cube: fewest for 2×2×2, two-phase for 3×3×3.
#pragma once

#include "study/reachability.h"

const int kSolveTextLength = 256;

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
};

// Solves liveCube at cubeSize within about limitSeconds (used by the 3×3×3 search for shorter
// answers). Changes no cube state, the size, the generator or the move log.
void SolvePattern(double limitSeconds, SolveResult* result);
