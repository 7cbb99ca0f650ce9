// The solver's front door: the size and reachability checks, the rotation, then the size's solver.
#include "solve/solve.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "solve/big/big_cube.h"
#include "solve/phase/bigger/bigger_solve.h"
#include "solve/phase/phase_solve.h"
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

// The face turns, then the rotation that takes `unrotated` to the pattern shown, as x, y and z.
void FillAlg(int n, const int32_t* shownCells, const CubeState unrotated, const int* faces, const int* turns,
             int length, SolveResult* result) {
  result->size = n;
  for (int k = 0; k < length; ++k) {
    result->alg[result->algCount++] = Block(faces[k], 1, 1, turns[k]);
    result->lengthBtm += 1;
    result->lengthQbtm += turns[k] == 2 ? 2 : 1;
  }
  BigState shown, home, undone;
  shown.n = home.n = n;
  std::memset(shown.cells, 0, sizeof shown.cells);
  std::memset(home.cells, 0, sizeof home.cells);
  ForEachUsedCell(n, [&](int cell) {
    shown.cells[cell] = static_cast<int8_t>(shownCells[cell]);
    home.cells[cell] = static_cast<int8_t>(unrotated[cell]);
  });
  const BigRotation* rotations = BigRotations(n);
  for (int r = 0; r < 24; ++r) {
    UndoRotation(shown, rotations[r], &undone);
    if (std::memcmp(undone.cells, home.cells, sizeof home.cells) != 0) continue;
    for (int k = 0; k < rotations[r].count; ++k) result->alg[result->algCount++] = rotations[r].moves[k];
    result->rotationCount = rotations[r].count;
    return;
  }
}

// Outer block turns of the whole answer, which every size reports.
void CountOuterBlockTurns(SolveResult* result) {
  result->lengthObtm = 0;
  for (int k = 0; k < result->algCount; ++k)
    result->lengthObtm += OuterBlockTurns(result->alg[k], result->size);
}

// The phase searches where they serve the size and their tables fit; the greedy reduction otherwise.
void SolveLarge(const Cube& cube, const SolveLimit& limit, double started, SolveResult* result) {
  const bool phases = PhaseSolverFor(cube.size);
  if (phases || BiggerSolverFor(cube.size)) {
    PrepareBigTables(cube.size);
    PhaseAnswer* answer = new (std::nothrow) PhaseAnswer;
    PhaseSolveStatus status = PhaseSolveStatus::kNoMemory;
    if (answer != nullptr && phases) status = SolveWithPhases(cube.size, cube.live, limit, answer);
    if (answer != nullptr && !phases) status = SolveBiggerWithPhases(cube.size, cube.live, limit, answer);
    if (status == PhaseSolveStatus::kSolved) FillSolveResult(*answer, result);
    delete answer;
    if (status == PhaseSolveStatus::kCancelled) return Refuse(result, kSolveCancelled);
    if (status == PhaseSolveStatus::kSolved) {
      result->seconds = ReadSolveClock(limit) - started;
      return;
    }
    SolveBigPattern(cube.size, cube.live, limit, started, result);
    result->withoutTables = status == PhaseSolveStatus::kNoMemory;
    return;
  }
  SolveBigPattern(cube.size, cube.live, limit, started, result);
}

}  // namespace

const char kSolveCancelled[] = "The search was cancelled.";
const char kSolveWithoutTables[] =
    "The solver's tables did not fit in memory: these moves come from the plain reduction, longer than "
    "usual.";

void SolvePattern(const Cube& cube, const SolveLimit& limit, SolveResult* result) {
  const double started = ReadSolveClock(limit);
  std::memset(result, 0, sizeof *result);
  const int n = cube.size;
  if (n < 2 || n > kMaxSize) {
    Refuse(result, "Solving is for cubes of 2x2x2 to 10x10x10.");
    return;
  }
  ReachabilityReport report;
  CheckReachable(cube, &report);
  if (!report.reachable) {
    result->unreachable = true;
    result->problemCount = report.problemCount;
    std::memcpy(result->problems, report.problems, sizeof result->problems);
    return;
  }
  if (n > 3) {
    SolveLarge(cube, limit, started, result);
    CountOuterBlockTurns(result);
    return;
  }
  CubeState unrotated;
  char arrows[kMaxRotationText], undoArrows[kMaxRotationText], turns[kMaxRotationText];
  if (!FindRotation(n, cube.live, n == 2 ? CornerHome : CentresHome, unrotated, arrows, undoArrows, turns)) {
    Refuse(result, "No whole-cube rotation brings the pattern home.");
    return;
  }
  int faces[kMaxSolveLength], quarterTurns[kMaxSolveLength];
  int length;
  if (n == 2) {
    length = SolveCorners(unrotated, faces, quarterTurns);
    result->optimal = true;
  } else {
    length = SolveEdgesAndCorners(unrotated, limit, started, faces, quarterTurns, &result->optimal,
                                  &result->nodes);
  }
  if (length < 0) {
    Refuse(result, "The pattern reads as no position of the pieces.");
    return;
  }
  FillAlg(n, cube.live, unrotated, faces, quarterTurns, length, result);
  CountOuterBlockTurns(result);
  result->solved = true;
  result->seconds = ReadSolveClock(limit) - started;
}
