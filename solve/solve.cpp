// The solver's front door: the size and reachability checks, the rotation, then the size's solver.
#include "solve/solve.h"

#include <cstdio>
#include <cstring>

#include "solve/solve_corners.h"
#include "solve/solve_search.h"
#include "solve/solve_steps.h"

namespace {

void Refuse(SolveResult* result, const char* problem) {
  result->solved = false;
  result->problemCount = 1;
  std::snprintf(result->problems[0], kReachProblemLength, "%s", problem);
}

}  // namespace

void SolvePattern(double limitSeconds, SolveResult* result) {
  const double start = SolveClock();
  std::memset(result, 0, sizeof *result);
  const int n = cubeSize;
  if (n < 2 || n > 3) {
    Refuse(result, "Solving is for 2x2x2 and 3x3x3 cubes in this version.");
    return;
  }
  static ReachabilityReport report;
  CheckReachable(&report);
  if (!report.reachable) {
    result->unreachable = true;
    result->problemCount = report.problemCount;
    std::memcpy(result->problems, report.problems, sizeof result->problems);
    return;
  }
  static CubeState unrotated;
  if (!FindRotation(n, liveCube, n == 2 ? CornerHome : CentresHome, unrotated, result->rotation,
                    result->inverseRotation, result->rotationTurns)) {
    Refuse(result, "No whole-cube rotation brings the pattern home.");
    return;
  }
  int faces[kMaxSolveLength], turns[kMaxSolveLength];
  int length;
  if (n == 2) {
    length = SolveCorners(unrotated, faces, turns);
    result->optimal = true;
  } else {
    length = SolveEdgesAndCorners(unrotated, limitSeconds, faces, turns, &result->optimal);
  }
  if (length < 0) {
    Refuse(result, "The pattern reads as no position of the pieces.");
    return;
  }
  for (int k = 0; k < length; ++k) {
    AppendToken(result->moves, faces[k], turns[k]);
    AppendToken(result->inverse, faces[length - 1 - k], 4 - turns[length - 1 - k]);
    result->lengthQ += turns[k] == 2 ? 2 : 1;
  }
  result->lengthF = length;
  result->solved = true;
  result->seconds = SolveClock() - start;
}
