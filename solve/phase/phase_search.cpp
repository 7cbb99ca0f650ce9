// One order for moves that commute, and the phases' move sets with it.
#include "solve/phase/phase_search.h"

namespace {

const int8_t kAxisFace[6] = {U, L, F, L, F, U};

// The move's axis and its layers counted from the axis's face, as one number per set of layers.
int LayerKey(int n, const BlockMove& move) {
  if (kAxisFace[move.face] == move.face) return move.first * 16 + move.last;
  return (n + 1 - move.last) * 16 + (n + 1 - move.first);
}

}  // namespace

bool MayFollow(int n, const BlockMove& last, const BlockMove& next) {
  if (kAxisFace[last.face] != kAxisFace[next.face]) return true;
  return LayerKey(n, last) < LayerKey(n, next);
}

void BuildMoveSet(int n, const BlockMove* moves, int count, PhaseMoveSet* set) {
  set->n = n;
  set->count = count;
  for (int m = 0; m < count; ++m) set->moves[m] = moves[m];
  for (int last = 0; last <= count; ++last)
    for (int m = 0; m < count; ++m)
      set->follows[last][m] = last == count || MayFollow(n, moves[last], moves[m]);
}

void FirstMoves(const PhaseMoveSet& set, const BlockMove* last, bool* allowed) {
  for (int m = 0; m < set.count; ++m) allowed[m] = last == nullptr || MayFollow(set.n, *last, set.moves[m]);
}

uint64_t BytesKey(const void* bytes, size_t size, uint64_t from) {
  uint64_t hash = from ^ 14695981039346656037ull;
  const uint8_t* at = static_cast<const uint8_t*>(bytes);
  for (size_t k = 0; k < size; ++k) hash = (hash ^ at[k]) * 1099511628211ull;
  return hash;
}

uint64_t CellsKey(const BigState& state) { return BytesKey(state.cells, sizeof state.cells, 0); }
