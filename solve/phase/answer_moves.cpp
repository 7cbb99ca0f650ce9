// Rotations moved last and runs merged, with the tags that tell which phase each move came from.
#include "solve/phase/answer_moves.h"

#include <cstring>

#include "solve/big/big_cube.h"
#include "solve/phase/phase_geometry.h"
#include "solve/solve.h"

namespace {

const int8_t kAxisFace[6] = {U, L, F, L, F, U};

}  // namespace

int OuterBlockTurns(const BlockMove* moves, int count, int n) {
  int turns = 0;
  for (int k = 0; k < count; ++k) turns += OuterBlockTurns(moves[k], n);
  return turns;
}

int RotationSymmetry(int n, const BlockMove* moves, int count) {
  int16_t source[kCellCount];
  CellSources(n, moves, count, source);
  for (int s = 0; s < 24; ++s)
    if (std::memcmp(source, SymmetrySources(n, s), sizeof source) == 0) return s;
  return -1;
}

int RotationsLast(int n, BlockMove* moves, int8_t* tags, int count) {
  // The rotations met so far, as moves, and their symmetry's inverse.
  BlockMove turned[kMaxSolveMoves];
  int turnedCount = 0, undo = 0;
  int written = 0;
  for (int k = 0; k < count; ++k) {
    if (IsRotation(moves[k], n)) {
      if (turnedCount < kMaxSolveMoves) turned[turnedCount++] = moves[k];
      BlockMove back[kMaxSolveMoves];
      for (int j = 0; j < turnedCount; ++j) back[j] = InverseBlockMove(turned[turnedCount - 1 - j]);
      undo = RotationSymmetry(n, back, turnedCount);
      continue;
    }
    // The rotations then this move: the same as the move where the rotations found its layers, then them.
    BlockMove seen = moves[k];
    if (turnedCount > 0) ConjugateMove(n, undo, moves[k], &seen);
    moves[written] = seen;
    if (tags != nullptr) tags[written] = tags[k];
    ++written;
  }
  if (turnedCount == 0) return written;
  const int whole = RotationSymmetry(n, turned, turnedCount);
  const BigRotation* rotations = BigRotations(n);
  for (int r = 0; r < 24; ++r) {
    if (RotationSymmetry(n, rotations[r].moves, rotations[r].count) != whole) continue;
    for (int j = 0; j < rotations[r].count; ++j) {
      moves[written] = rotations[r].moves[j];
      if (tags != nullptr) tags[written] = -1;
      ++written;
    }
    break;
  }
  return written;
}

int MergeRuns(int n, BlockMove* moves, int8_t* tags, int count) {
  int written = 0;
  for (int start = 0; start < count;) {
    // Rotations are left whole: merged into a turn they would hide the frame in an inner block.
    int end = start + 1;
    const bool rotation = IsRotation(moves[start], n);
    while (!rotation && end < count && !IsRotation(moves[end], n) &&
           kAxisFace[moves[end].face] == kAxisFace[moves[start].face])
      ++end;
    const int8_t tag = tags != nullptr ? tags[start] : 0;
    BlockMove run[kMaxSolveMoves];
    std::memcpy(run, moves + start, sizeof(BlockMove) * static_cast<size_t>(end - start));
    int kept = SimplifyMoves(run, end - start, n);
    // Fewer blocks that cost more in the outer block turn metric are not taken.
    if (OuterBlockTurns(run, kept, n) > OuterBlockTurns(moves + start, end - start, n)) {
      kept = end - start;
      std::memcpy(run, moves + start, sizeof(BlockMove) * static_cast<size_t>(kept));
    }
    const bool merged = kept < end - start;
    for (int k = 0; k < kept; ++k) {
      moves[written] = run[k];
      if (tags != nullptr) tags[written] = merged ? tag : tags[start + k];
      ++written;
    }
    start = end;
  }
  return written;
}
