// Random big-cube patterns for the phase solvers' tests, made as the benchmarks make theirs.
#pragma once

#include <cstdint>
#include <cstring>

#include "solve/big/big_cube.h"
#include "support/cube_helpers.h"

// 40·N random single-layer turns (or as many as given) and a random whole-cube rotation, as a state
// and as the cells a solver reads.
inline void RandomBigPattern(int n, Lcg& lcg, BigState* state, int32_t* cells, int turns = 0) {
  BigSolved(n, state);
  for (int k = 0; k < (turns > 0 ? turns : 40 * n); ++k) {
    const int layer = 1 + lcg.Next() % n;
    BigApply(state, Block(lcg.Next() % 6, layer, layer, 1 + lcg.Next() % 3));
  }
  const BigRotation& rotation = BigRotations(n)[lcg.Next() % 24];
  for (int k = 0; k < rotation.count; ++k) BigApply(state, rotation.moves[k]);
  std::memset(cells, 0, sizeof(int32_t) * kCellCount);
  for (int c = 0; c < kCellCount; ++c) cells[c] = state->cells[c];
}
