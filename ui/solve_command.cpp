// The solver on the mouse menu: the moves in a box, kept with their pattern to be saved as a move file
// (or, for an answer the move-file notation cannot spell, as a file in the standard notation).
#include <cstdio>
#include <cstring>

#include "files/alg_notation.h"
#include "files/files.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

SolveResult solution;
bool solutionKept = false;
int16_t solutionSize;
CubeState solutionPattern;

char solutionText[kReportTextCapacity];

// The box shows this many moves of a long answer and says how many more there are.
const int kShownMoves = 60;

void ComposeBigReport(const SolveResult& result, char* text, int capacity) {
  char moves[kShownMoves * kMaxMoveText];
  FormatSolveAlgStart(result, kShownMoves, moves, sizeof moves);
  int used = std::snprintf(text, capacity, "From the solved cube, the rotation last:\n%s\n", moves);
  if (result.algCount > kShownMoves && used < capacity)
    used += std::snprintf(text + used, capacity - used, "and %d more moves\n", result.algCount - kShownMoves);
  if (used < capacity)
    used += std::snprintf(text + used, capacity - used, "%d block turns: ", result.lengthBtm);
  for (int stage = 0; stage < kBigStageCount && used < capacity; ++stage)
    used += std::snprintf(text + used, capacity - used, "%s %d%s", kBigStageNames[stage],
                          result.stageTurns[stage], stage + 1 < kBigStageCount ? ", " : "\n");
  if (used < capacity) std::snprintf(text + used, capacity - used, "Found in %.2f s.\n", result.seconds);
}

// The move-file notation has the six faces and, on 3×3×3, the two slices: an answer of sizes 2 and 3
// always fits it, a bigger cube's only when it is face turns alone with no rotation.
bool FitsMoveFile(const SolveResult& result) {
  if (result.size <= 3) return true;
  if (result.algCount > kSolveTextLength / 4) return false;
  for (int k = 0; k < result.algCount; ++k)
    if (result.alg[k].first != 1 || result.alg[k].last != 1) return false;
  return true;
}

bool SaveMoveFile(const char* path, char* reason, size_t reasonSize) {
  char tokens[2 * kSolveTextLength + 2];
  if (solution.size <= 3) {
    std::snprintf(tokens, sizeof tokens, "%s%s%s", solution.moves,
                  solution.moves[0] != '\0' && solution.rotationTurns[0] != '\0' ? " " : "",
                  solution.rotationTurns);
  } else {
    // Face turns only (FitsMoveFile): each token at most three characters and a space.
    int used = 0;
    tokens[0] = '\0';
    for (int k = 0; k < solution.algCount; ++k) {
      char move[kMaxMoveText];
      FormatBlockMove(solution.alg[k], solution.size, move);
      used += std::snprintf(tokens + used, sizeof tokens - used, "%s%s", k > 0 ? " " : "", move);
    }
  }
  return WriteMoveFile(path, tokens, reason, reasonSize);
}

}  // namespace

void ShowSolution() {
  if (cubeSize >= 3) PrepareSolverTables();
  SolvePattern(kMenuSolveSeconds, &solution);
  solutionKept = solution.solved;
  solutionSize = cubeSize;
  CopyCube(liveCube, solutionPattern);
  if (solution.solved && cubeSize > 3)
    ComposeBigReport(solution, solutionText, sizeof solutionText);
  else
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
  const FileKind kind = FitsMoveFile(solution) ? kMoveFile : kAlgFile;
  const char* path = platform->ChooseSaveFile(kind, FilterFor(kind));
  if (path == nullptr) return;
  char reason[160];
  const bool written = kind == kMoveFile
                           ? SaveMoveFile(path, reason, sizeof reason)
                           : WriteAlgFile(path, solution.alg, static_cast<size_t>(solution.algCount),
                                          solution.size, reason, sizeof reason);
  if (!written) ShowSaveFailure("Cannot save the moves to ", path, reason);
}
