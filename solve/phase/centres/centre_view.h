// What the centre searches share: a stage's view of a size (its orbits, tables and turns), the masks
// it reads from a state, and steps of one or a few wide turns applied to them.
#pragma once

#include <cstdint>

#include "solve/phase/centres/centre_orbits.h"
#include "solve/phase/centres/centre_tables.h"

const int kMaxMasks = kMaxCentreOrbits * kMaxStageMasks;
const uint64_t kMaskSeed = 0x9E3779B97F4A7C15ull;

// A step: one wide turn, or a few that put back most of what the first moved (a conjugate W X W' or a
// commutator W X W' X' of a wide turn and a face turn across it), which lets the search leave a
// position every single turn makes worse.
const int kMaxActionMoves = 6;
struct Action {
  int8_t count;
  int8_t moves[kMaxActionMoves];
};

struct StageView {
  int stage;
  const CentreLayout* layout;
  int maskCount;  // per orbit
  const DistanceTable* tables[kMaxCentreOrbits];
  bool allowed[kMaxWideMoves];
};

inline StageView ViewOf(int stage, int n) {
  StageView view;
  view.stage = stage;
  view.layout = &CentreLayoutOf(n);
  view.maskCount = StageMaskCount(stage);
  for (int o = 0; o < view.layout->orbitCount; ++o)
    view.tables[o] = &CentreTable(stage, view.layout->orbits[o].kind);
  for (int m = 0; m < view.layout->moveCount; ++m) view.allowed[m] = StageMove(stage, view.layout->moves[m]);
  return view;
}

inline int Distance(const StageView& view, const uint32_t* masks) {
  int sum = 0;
  for (int o = 0; o < view.layout->orbitCount; ++o)
    sum += view.tables[o]->Get(StageIndex(view.stage, masks + o * view.maskCount));
  return sum;
}

inline void Read(const StageView& view, const BigState& state, uint32_t* masks) {
  for (int o = 0; o < view.layout->orbitCount; ++o)
    StageMasks(view.stage, view.layout->orbits[o].places, state, masks + o * view.maskCount);
}

// The masks after the action; returns their hash.
inline uint64_t Turn(const StageView& view, const uint32_t* from, const Action& action, uint32_t* to) {
  uint64_t hash = kMaskSeed;
  for (int o = 0; o < view.layout->orbitCount; ++o) {
    const CentreOrbit& orbit = view.layout->orbits[o];
    const MaskMoves& masks = CentreModelOf(orbit.kind).masks;
    for (int k = 0; k < view.maskCount; ++k) {
      const int i = o * view.maskCount + k;
      uint32_t mask = from[i];
      for (int a = 0; a < action.count; ++a) mask = masks.Apply(mask, orbit.modelMove[action.moves[a]]);
      to[i] = mask;
      hash = (hash ^ mask) * 0x100000001B3ull;
      hash ^= hash >> 29;
    }
  }
  return hash;
}

inline int MoveIndex(const CentreLayout& layout, const BlockMove& move) {
  for (int m = 0; m < layout.moveCount; ++m) {
    const BlockMove& other = layout.moves[m];
    if (other.face == move.face && other.last == move.last && other.quarterTurns == move.quarterTurns)
      return m;
  }
  return -1;
}
