// Appending moves of any block of layers to a sequence, their permutation taken from the model's own turns.
#include "cube/block_move.h"
#include "study/facelet_map.h"
#include "study/order.h"

void AppendBlockMove(MoveSequence* sequence, const BlockMove& move) { AppendBlockMoves(sequence, &move, 1); }

void AppendBlockMoves(MoveSequence* sequence, const BlockMove* moves, size_t count) {
  const int n = sequence->size;
  sequence->turns += static_cast<int64_t>(count);
  // Numbered cells turned by the list give the whole list's permutation at once.
  const int kNumbered = 6;
  Cube cube;
  cube.size = static_cast<int16_t>(n);
  ForEachUsedCell(n, [&cube](int cell) { cube.live[cell] = cube.shadow[cell] = kNumbered + cell; });
  ApplyBlockMoves(cube, moves, count);
  // The sequence then these moves: cell i now holds what they brought from cell j, which held from[j].
  int16_t from[kCellCount];
  ForEachUsedCell(n, [&](int cell) { from[cell] = sequence->map.from[cube.live[cell] - kNumbered]; });
  ForEachUsedCell(n, [&](int cell) { sequence->map.from[cell] = from[cell]; });
}
