// Appending moves of any block of layers to a sequence, their permutation taken from the model's own turns.
#include "cube/block_move.h"
#include "study/facelet_map.h"
#include "study/order.h"

void AppendBlockMove(MoveSequence* sequence, const BlockMove& move) { AppendBlockMoves(sequence, &move, 1); }

void AppendBlockMoves(MoveSequence* sequence, const BlockMove* moves, size_t count) {
  const int n = sequence->size;
  sequence->turns += static_cast<int64_t>(count);
  // The turns work on the globals (a face's own facelets always turn there), as the facelet maps are
  // derived: numbered cells turned once give the whole list's permutation.
  const int kNumbered = 6;
  const BorrowedCube borrowed(n);
  ForEachUsedCell(n, [](int cell) { liveCube[cell] = shadowCube[cell] = kNumbered + cell; });
  for (size_t k = 0; k < count; ++k)
    TurnBlock(moves[k].face, moves[k].first, moves[k].last, moves[k].quarterTurns, liveCube, shadowCube);
  // The sequence then these moves: cell i now holds what they brought from cell j, which held from[j].
  static int16_t from[kCellCount];
  ForEachUsedCell(n, [&](int cell) { from[cell] = sequence->map.from[liveCube[cell] - kNumbered]; });
  ForEachUsedCell(n, [&](int cell) { sequence->map.from[cell] = from[cell]; });
}
