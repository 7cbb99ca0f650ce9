// The solver's front door: the size and reachability checks, the rotation, then the size's solver.
#include "solve/solve.h"

#include <cstdio>
#include <cstring>

#include "solve/big/big_cube.h"
#include "solve/solve_corners.h"
#include "solve/solve_search.h"
#include "solve/solve_steps.h"
#include "study/facelet_map.h"

namespace {

void Refuse(SolveResult* result, const char* problem) {
  result->solved = false;
  result->problemCount = 1;
  std::snprintf(result->problems[0], kReachProblemLength, "%s", problem);
}

// The same answer as block moves, the rotation that the arrow keys make as x, y and z.
void FillAlg(int n, const CubeState unrotated, const int* faces, const int* turns, int length,
             SolveResult* result) {
  result->size = n;
  for (int k = 0; k < length; ++k) result->alg[result->algCount++] = Block(faces[k], 1, 1, turns[k]);
  result->lengthBtm = length;
  static BigState shown, home, undone;
  shown.n = home.n = n;
  std::memset(shown.cells, 0, sizeof shown.cells);
  std::memset(home.cells, 0, sizeof home.cells);
  ForEachUsedCell(n, [unrotated](int cell) {
    shown.cells[cell] = static_cast<int8_t>(liveCube[cell]);
    home.cells[cell] = static_cast<int8_t>(unrotated[cell]);
  });
  const BigRotation* rotations = BigRotations(n);
  for (int r = 0; r < 24; ++r) {
    UndoRotation(shown, rotations[r], &undone);
    if (std::memcmp(undone.cells, home.cells, sizeof home.cells) != 0) continue;
    for (int k = 0; k < rotations[r].count; ++k) result->alg[result->algCount++] = rotations[r].moves[k];
    return;
  }
}

}  // namespace

void SolvePattern(double limitSeconds, SolveResult* result) {
  const double start = SolveClock();
  std::memset(result, 0, sizeof *result);
  const int n = cubeSize;
  if (n < 2 || n > kMaxSize) {
    Refuse(result, "Solving is for cubes of 2x2x2 to 10x10x10.");
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
  if (n > 3) {
    SolveBigPattern(n, liveCube, limitSeconds, result);
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
  FillAlg(n, unrotated, faces, turns, length, result);
  result->solved = true;
  result->seconds = SolveClock() - start;
}
