// The big-cube solver's layer turns as cell permutations derived from the model, and its move list.
#include <cstring>

#include "solve/big_cube.h"
#include "study/facelet_map.h"

namespace {

struct SizePerms {
  bool ready;
  LayerPerm perms[6][kMaxSize + 1];
};

SizePerms sizes[kMaxSize + 1];

void Derive(int n) {
  // The model's turns work on the globals: borrow them and give them back untouched.
  static CubeState savedLive, savedShadow;
  std::memcpy(savedLive, liveCube, sizeof liveCube);
  std::memcpy(savedShadow, shadowCube, sizeof shadowCube);
  const int16_t savedSize = cubeSize;
  cubeSize = static_cast<int16_t>(n);
  for (int face = 0; face < 6; ++face)
    for (int layer = 1; layer <= n; ++layer) {
      ForEachUsedCell(n, [](int cell) { liveCube[cell] = shadowCube[cell] = cell; });
      TurnBlock(static_cast<Face>(face), static_cast<int16_t>(layer), static_cast<int16_t>(layer), 1,
                liveCube, shadowCube);
      LayerPerm& perm = sizes[n].perms[face][layer];
      perm.count = 0;
      ForEachUsedCell(n, [&perm](int cell) {
        if (liveCube[cell] == cell) return;
        perm.to[perm.count] = static_cast<int16_t>(cell);
        perm.from[perm.count++] = static_cast<int16_t>(liveCube[cell]);
      });
    }
  cubeSize = savedSize;
  std::memcpy(liveCube, savedLive, sizeof liveCube);
  std::memcpy(shadowCube, savedShadow, sizeof shadowCube);
  sizes[n].ready = true;
}

}  // namespace

const LayerPerm& LayerPermOf(int n, int face, int layer) {
  if (!sizes[n].ready) Derive(n);
  return sizes[n].perms[face][layer];
}

void BigSolved(int n, BigState* state) {
  state->n = n;
  std::memset(state->cells, 0, sizeof state->cells);
  ForEachUsedCell(n, [state](int cell) { state->cells[cell] = static_cast<int8_t>(cell / kFaceStride); });
}

void BigApply(BigState* state, const BlockMove& move) {
  const int turns = ((move.quarterTurns % 4) + 4) % 4;
  int8_t held[4 * kMaxSize + kMaxSize * kMaxSize];
  for (int layer = move.first; layer <= move.last; ++layer) {
    const LayerPerm& perm = LayerPermOf(state->n, move.face, layer);
    for (int q = 0; q < turns; ++q) {
      for (int k = 0; k < perm.count; ++k) held[k] = state->cells[perm.from[k]];
      for (int k = 0; k < perm.count; ++k) state->cells[perm.to[k]] = held[k];
    }
  }
}

bool BigPush(BigState* state, BigMoveList* list, const BlockMove& move) {
  BigApply(state, move);
  if (move.quarterTurns % 4 == 0) return true;
  if (list->count > 0) {
    BlockMove& last = list->moves[list->count - 1];
    if (last.face == move.face && last.first == move.first && last.last == move.last) {
      last.quarterTurns = static_cast<int8_t>((last.quarterTurns + move.quarterTurns) % 4);
      if (last.quarterTurns == 0) --list->count;
      return true;
    }
  }
  if (list->count >= kMaxBigSolveMoves) return false;
  list->moves[list->count++] = move;
  return true;
}

int BigBlockTurns(const BigMoveList& list, int n) {
  int turns = 0;
  for (int k = 0; k < list.count; ++k) turns += BlockTurns(list.moves[k], n);
  return turns;
}
