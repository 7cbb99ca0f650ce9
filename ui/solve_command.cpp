// The solver on the mouse menu: the moves in a box, kept with their pattern to be saved as a move file
// (or, for an answer the move-file notation cannot spell, as a file in the standard notation).
#include <cstdio>
#include <cstring>
#include <memory>

#include "files/alg_notation.h"
#include "files/input_files.h"
#include "files/table_cache.h"
#include "solve/answer.h"
#include "ui/document.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

// The move-file notation has the six faces and, on 3×3×3, the two slices: an answer of sizes 2 and 3
// always fits it, a bigger cube's only when it is face turns alone with no rotation.
bool FitsMoveFile(const SolveResult& result) {
  if (result.size <= 3) return true;
  if (result.algCount > kAnswerTextLength / 4) return false;
  for (int k = 0; k < result.algCount; ++k)
    if (result.alg[k].first != 1 || result.alg[k].last != 1) return false;
  return true;
}

bool SaveMoveFile(const SolveResult& solution, const char* path, char* reason, size_t reasonSize) {
  char tokens[2 * kAnswerTextLength + 2];
  if (solution.size <= 3) {
    const std::unique_ptr<SpelledAnswer> spelled(new SpelledAnswer);
    SpellAnswer(solution, false, spelled.get());
    std::snprintf(tokens, sizeof tokens, "%s%s%s", spelled->moves,
                  spelled->moves[0] != '\0' && spelled->rotationTurns[0] != '\0' ? " " : "",
                  spelled->rotationTurns);
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
  const Cube& cube = document.cube;
  KeptSolution& kept = document.solution;
  SolveLimit limit;
  limit.seconds = kMenuSolveSeconds;
  SolvePattern(cube, limit, &kept.result);
  kept.kept = kept.result.solved;
  kept.size = cube.size;
  CopyCube(cube.size, cube.live, kept.pattern);
  char text[kReportTextCapacity];
  ComposeSolutionReport(kept.result, text, sizeof text);
  platform->ShowMessage(text, "Moves that make this pattern");
}

bool SolutionFitsPattern() {
  const Cube& cube = document.cube;
  const KeptSolution& kept = document.solution;
  return kept.kept && kept.size == cube.size && CompareCubes(cube.size, kept.pattern, cube.live) == 0;
}

void SaveSolution() {
  if (!SolutionFitsPattern()) return;
  const SolveResult& solution = document.solution.result;
  const FileKind kind = FitsMoveFile(solution) ? kMoveFile : kAlgFile;
  const char* path = platform->ChooseSaveFile(kind, FilterFor(kind));
  if (path == nullptr) return;
  char reason[160];
  const bool written = kind == kMoveFile
                           ? SaveMoveFile(solution, path, reason, sizeof reason)
                           : WriteAlgFile(path, solution.alg, static_cast<size_t>(solution.algCount),
                                          solution.size, reason, sizeof reason);
  if (!written) ShowSaveFailure("Cannot save the moves to ", path, reason);
}

void KeepSolverTablesInCache() {
  static CacheTableStore store;
  InstallTableStore(&store);
}
