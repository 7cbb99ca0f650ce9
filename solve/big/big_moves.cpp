// The big-cube solver's layer turns as cell permutations derived from the model, and its move list.
#include <cstring>

#include "cube/size_tables.h"
#include "solve/big/big_cube.h"
#include "study/facelet_map.h"

namespace {

struct SizePerms {
  LayerPerm perms[6][kMaxSize + 1];
};

// Each layer's turn made on a cube of numbered cells.
void Derive(int n, SizePerms* size) {
  for (int face = 0; face < 6; ++face)
    for (int layer = 1; layer <= n; ++layer) {
      Cube cube;
      cube.size = static_cast<int16_t>(n);
      ForEachUsedCell(n, [&cube](int cell) { cube.live[cell] = cube.shadow[cell] = cell; });
      TurnBlock(cube, static_cast<Face>(face), static_cast<int16_t>(layer), static_cast<int16_t>(layer), 1);
      LayerPerm& perm = size->perms[face][layer];
      perm.count = 0;
      ForEachUsedCell(n, [&perm, &cube](int cell) {
        if (cube.live[cell] == cell) return;
        perm.to[perm.count] = static_cast<int16_t>(cell);
        perm.from[perm.count++] = static_cast<int16_t>(cube.live[cell]);
      });
    }
}

}  // namespace

const LayerPerm& LayerPermOf(int n, int face, int layer) {
  return TableOfSize<SizePerms, Derive>(n).perms[face][layer];
}

void BigSolved(int n, BigState* state) {
  state->n = n;
  std::memset(state->cells, 0, sizeof state->cells);
  ForEachUsedCell(n, [state](int cell) { state->cells[cell] = static_cast<int8_t>(cell / kFaceStride); });
}

void BigApply(BigState* state, const BlockMove& move) { CarryAlong(state->n, state->cells, move); }

int MergingTurns(int n, const BlockMove& last, const BlockMove& move) {
  // The same layers named from either face merge: D's layers a..b are U's n+1-b..n+1-a turned the
  // other way.
  static const int8_t kOpposite[6] = {D, R, B, L, F, U};
  if (last.face == move.face && last.first == move.first && last.last == move.last) return move.quarterTurns;
  if (kOpposite[last.face] == move.face && last.first == n + 1 - move.last && last.last == n + 1 - move.first)
    return 4 - move.quarterTurns;
  return -1;
}

uint64_t BigStateHash(const BigState& state) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (int8_t cell : state.cells) hash = (hash ^ static_cast<uint8_t>(cell)) * 0x100000001B3ull;
  return hash;
}

bool BigPush(BigState* state, BigMoveList* list, const BlockMove& move) {
  BigApply(state, move);
  if (move.quarterTurns % 4 == 0) return true;
  if (list->count > 0) {
    BlockMove& last = list->moves[list->count - 1];
    const int turns = MergingTurns(state->n, last, move);
    if (turns >= 0) {
      last.quarterTurns = static_cast<int8_t>((last.quarterTurns + turns) % 4);
      if (last.quarterTurns == 0) --list->count;
      return true;
    }
  }
  if (list->count >= kMaxSolveMoves) return false;
  list->moves[list->count++] = move;
  return true;
}

int BigBlockTurns(const BigMoveList& list, int n) {
  int turns = 0;
  for (int k = 0; k < list.count; ++k) turns += BlockTurns(list.moves[k], n);
  return turns;
}

namespace {

// The face a move's axis is counted from (U, L or F), and the move's layers and turns seen from it.
BlockMove FromAxisFace(const BlockMove& move, int n) {
  static const int8_t kAxisFace[6] = {U, L, F, L, F, U};
  if (kAxisFace[move.face] == move.face) return move;
  return Block(kAxisFace[move.face], n + 1 - move.last, n + 1 - move.first, 4 - move.quarterTurns);
}

}  // namespace

int SimplifyMoves(BlockMove* moves, int count, int n) {
  int written = 0;
  for (int start = 0; start < count;) {
    // A run of moves about one axis commute: each layer's net turns are all that count.
    const int face = FromAxisFace(moves[start], n).face;
    int end = start;
    int net[kMaxSize + 2] = {};
    while (end < count && FromAxisFace(moves[end], n).face == face) {
      const BlockMove m = FromAxisFace(moves[end], n);
      for (int layer = m.first; layer <= m.last; ++layer) net[layer] = (net[layer] + m.quarterTurns) % 4;
      ++end;
    }
    BlockMove merged[kMaxSize];
    int mergedCount = 0;
    for (int layer = 1; layer <= n;) {
      int last = layer;
      while (last + 1 <= n && net[last + 1] == net[layer]) ++last;
      if (net[layer] != 0) merged[mergedCount++] = Block(face, layer, last, net[layer]);
      layer = last + 1;
    }
    if (mergedCount < end - start) {
      for (int k = 0; k < mergedCount; ++k) moves[written++] = merged[k];
    } else {
      for (int k = start; k < end; ++k) moves[written++] = moves[k];
    }
    start = end;
  }
  return written;
}
