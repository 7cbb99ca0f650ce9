// The solver on the mouse menu: the moves in a box, kept with their pattern to be saved as a move file.
#include <cstdio>
#include <cstring>

#include "files/files.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

SolveResult solution;
bool solutionKept = false;
int16_t solutionSize;
CubeState solutionPattern;

char solutionText[kReportTextCapacity];

}  // namespace

void ShowSolution() {
  if (cubeSize == 3) PrepareSolverTables();
  SolvePattern(kMenuSolveSeconds, &solution);
  solutionKept = solution.solved;
  solutionSize = cubeSize;
  CopyCube(liveCube, solutionPattern);
  ComposeSolutionReport(solution, solutionText, sizeof solutionText);
  platform->ShowMessage(solutionText, "Moves that make this pattern");
}

bool SolutionFitsPattern() {
  if (!solutionKept || solutionSize != cubeSize) return false;
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < cubeSize; ++row)
      for (int column = 0; column < cubeSize; ++column)
        if (solutionPattern[CellIndex(face, row, column)] != liveCube[CellIndex(face, row, column)])
          return false;
  return true;
}

void SaveSolution() {
  if (!SolutionFitsPattern()) return;
  const char* path = platform->ChooseSaveFile(kMoveFile, FilterFor(kMoveFile));
  if (path == nullptr) return;
  char tokens[2 * kSolveTextLength + 2];
  std::snprintf(tokens, sizeof tokens, "%s%s%s", solution.moves,
                solution.moves[0] != '\0' && solution.rotationTurns[0] != '\0' ? " " : "",
                solution.rotationTurns);
  char reason[160];
  if (!WriteMoveFile(path, tokens, reason, sizeof reason))
    ShowSaveFailure("Cannot save the moves to ", path, reason);
}
