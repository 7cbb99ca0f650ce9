// The big cube's front door: the home orientation chosen, the stages run in order, the answer turned
// round into moves from the solved cube, the rotation appended and the whole replayed as a check.
#include <cstdio>
#include <cstring>

#include "solve/big/big_cube.h"
#include "study/facelet_map.h"
#include "study/pieces.h"

namespace {

// The stages, in the order the answer names them.
enum BigStage { kStageCentres, kStageEdges, kStageParity, kStageThree, kBigStageCount };
const char* const kBigStageNames[kBigStageCount] = {"centres", "edges", "parity", "3x3x3"};

const int kAttempts = 9;

// How well an unrotated pattern fits the home orientation: odd sizes need their fixed centres home
// (then every rotation but one scores 0); even sizes take the rotation that leaves most centres home.
int HomeScore(const BigState& state) {
  const int n = state.n;
  if (n % 2 == 1) {
    for (int face = 0; face < 6; ++face)
      if (state.cells[CellIndex(face, n / 2, n / 2)] != face) return 0;
    return 1;
  }
  const PieceSet& set = PiecesOf(n);
  int score = 1;
  for (int k = 0; k < set.count; ++k) {
    const Piece& piece = set.pieces[k];
    if (piece.kind == kCentrePiece) score += state.cells[piece.cells[0]] == piece.cells[0] / kFaceStride;
  }
  return score;
}

void Refuse(SolveResult* result, const char* problem) {
  result->solved = false;
  result->problemCount = 1;
  std::snprintf(result->problems[0], kReachProblemLength, "%s", problem);
}

}  // namespace

BlockMove AnswerMove(const SolveResult& result, bool inverse, int k) {
  return inverse ? InverseBlockMove(result.alg[result.algCount - 1 - k]) : result.alg[k];
}

void PrepareBigTables(int n) {
  BigRotations(n);
  PrepareBigCentreTables(n);
  PrepareBigEdgeTables(n);
}

void SolveBigPattern(int n, const int32_t* pattern, const SolveLimit& limit, double started,
                     SolveResult* result) {
  BigState shown, unrotated, state;
  shown.n = n;
  std::memset(shown.cells, 0, sizeof shown.cells);
  ForEachUsedCell(n, [&](int cell) { shown.cells[cell] = static_cast<int8_t>(pattern[cell]); });
  const BigRotation* rotations = BigRotations(n);
  int chosen = -1, bestScore = 0;
  for (int r = 0; r < 24; ++r) {
    UndoRotation(shown, rotations[r], &unrotated);
    const int score = HomeScore(unrotated);
    if (score > bestScore) chosen = r, bestScore = score;
  }
  if (chosen < 0) return Refuse(result, "No whole-cube rotation brings the pattern home.");
  UndoRotation(shown, rotations[chosen], &state);

  BigMoveList list;
  const BigState first = state;
  int ends[kBigStageCount + 1] = {};
  int wingFix = 0;
  const char* failed = nullptr;
  // A stage that stalls (the greedy steps can meet a plateau they do not leave) is met again on
  // another path: a different first slice turn leads to other centres and edges.
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    state = first;
    list.count = 0;
    failed = nullptr;
    if (attempt > 0) BigPush(&state, &list, Block(attempt % 3 * 2, 2, n - 1, attempt / 3 + 1));
    if (!SolveBigCentres(&state, &list)) failed = "The centres could not be solved.";
    ends[0] = list.count;
    if (!failed && !FixWingParity(&state, &list)) failed = "The wing parity could not be fixed.";
    wingFix = list.count;
    if (!failed && !PairBigEdges(&state, &list)) failed = "The edges could not be paired.";
    ends[1] = list.count;
    if (!failed && !FixSwapParity(&state, &list)) failed = "The edge parity could not be fixed.";
    ends[2] = list.count;
    if (!failed && !FinishAsThree(&state, limit, started, &list))
      failed = "The reduced cube could not be solved.";
    ends[3] = list.count;
    if (!failed) break;
  }
  if (failed) return Refuse(result, failed);
  // Each stage's moves simplified on their own, so that the stages keep their own counts.
  {
    const int bounds[kBigStageCount + 2] = {0, ends[0], wingFix, ends[1], ends[2], ends[3]};
    int written = 0, newBounds[kBigStageCount + 2] = {};
    for (int k = 0; k + 1 < kBigStageCount + 2; ++k) {
      const int kept = SimplifyMoves(list.moves + bounds[k], bounds[k + 1] - bounds[k], n);
      std::memmove(list.moves + written, list.moves + bounds[k], kept * sizeof *list.moves);
      written += kept;
      newBounds[k + 1] = written;
    }
    list.count = written;
    ends[0] = newBounds[1];
    wingFix = newBounds[2];
    ends[1] = newBounds[3];
    ends[2] = newBounds[4];
    ends[3] = newBounds[5];
  }
  if (list.count + rotations[chosen].count > kMaxSolveMoves) return Refuse(result, "The answer is too long.");

  // Stage turns: the wing parity turns (made after the centres) count with the other parity turns.
  result->stageCount = kBigStageCount;
  for (int stage = 0; stage < kBigStageCount; ++stage)
    std::snprintf(result->stages[stage].name, kSolveStageNameLength, "%s", kBigStageNames[stage]);
  const int runEnds[] = {ends[0], wingFix, ends[1], ends[2], ends[3]};
  const int runStages[] = {kStageCentres, kStageParity, kStageEdges, kStageParity, kStageThree};
  // The answer runs the stages' moves backwards: the last run first.
  for (int run = 4; run >= 0; --run) {
    const int begin = run > 0 ? runEnds[run - 1] : 0;
    for (int k = begin; k < runEnds[run]; ++k)
      result->stages[runStages[run]].turns += BlockTurns(list.moves[k], n);
    if (begin < runEnds[run])
      result->spans[result->spanCount++] =
          SolveSpan{runStages[run], list.count - runEnds[run], list.count - begin};
  }
  // The stages took the pattern to solved; the answer is their way back, then the rotation.
  result->algCount = 0;
  for (int k = list.count - 1; k >= 0; --k) result->alg[result->algCount++] = InverseBlockMove(list.moves[k]);
  for (int k = 0; k < rotations[chosen].count; ++k)
    result->alg[result->algCount++] = rotations[chosen].moves[k];
  result->rotationCount = rotations[chosen].count;

  BigSolved(n, &state);
  for (int k = 0; k < result->algCount; ++k) BigApply(&state, result->alg[k]);
  if (std::memcmp(state.cells, shown.cells, sizeof state.cells) != 0)
    return Refuse(result, "The answer found does not make the pattern.");
  result->size = n;
  result->lengthBtm = 0;
  for (int k = 0; k < result->algCount; ++k) {
    result->lengthBtm += BlockTurns(result->alg[k], n);
    result->lengthQbtm += QuarterBlockTurns(result->alg[k], n);
  }
  result->solved = true;
  result->seconds = ReadSolveClock(limit) - started;
}

namespace {

int FormatMoves(const SolveResult& result, bool inverse, int limit, char* text, int capacity) {
  int used = 0;
  bool full = false;
  if (capacity > 0) text[0] = '\0';
  auto append = [&](const char* piece) {
    const int length = static_cast<int>(std::strlen(piece));
    // A move that does not fit ends the text there, whole moves only.
    full = full || used + length >= capacity;
    if (!full) std::memcpy(text + used, piece, length + 1);
    used += length;
  };
  const int count = limit < result.algCount ? limit : result.algCount;
  for (int k = 0; k < count; ++k) {
    char move[kMaxMoveText + 1] = " ";
    FormatBlockMove(AnswerMove(result, inverse, k), result.size, move + 1);
    append(k > 0 ? move : move + 1);
  }
  if (count < result.algCount) append(" ...");
  return used;
}

}  // namespace

int FormatSolveAlgStart(const SolveResult& result, int limit, char* text, int capacity) {
  return FormatMoves(result, false, limit, text, capacity);
}

int FormatSolveAlg(const SolveResult& result, bool inverse, char* text, int capacity) {
  return FormatMoves(result, inverse, result.algCount, text, capacity);
}
