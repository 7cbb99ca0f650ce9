// What the big-cube solver's stages share: a pattern as plain colours, layer turns as derived cell
// permutations, a move list that merges what cancels, and the stages themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cube/block_move.h"
#include "solve/solve.h"

struct BigState {
  int n;
  int8_t cells[kCellCount];  // colour of each used cell, 0 to 5 (the face index it belongs to when solved)
};

struct BigMoveList {
  int count;
  BlockMove moves[kMaxSolveMoves];
};

// A list in fixed storage, for the per-size tables: never more than its capacity (a push past it is
// dropped, which only narrows a search), never on the heap.
template <typename T, int kCapacity>
struct FixedList {
  int count = 0;
  T items[kCapacity];
  size_t size() const { return static_cast<size_t>(count); }
  void clear() { count = 0; }
  bool push_back(const T& item) {
    if (count >= kCapacity) return false;
    items[count++] = item;
    return true;
  }
  void resize(size_t newSize) { count = static_cast<int>(newSize); }
  void assign(size_t newSize, const T& item) {
    count = newSize < kCapacity ? static_cast<int>(newSize) : kCapacity;
    for (int k = 0; k < count; ++k) items[k] = item;
  }
  T& operator[](size_t k) { return items[k]; }
  const T& operator[](size_t k) const { return items[k]; }
  const T* begin() const { return items; }
  const T* end() const { return items + count; }
};

// The solved cube of size n.
void BigSolved(int n, BigState* state);
// Turns the state by the move (layers first..last of face, clockwise seen from that face).
void BigApply(BigState* state, const BlockMove& move);
// Applies the move to the state and appends it to the list, merged with the last move when they turn
// the same layers; false when the list is full.
bool BigPush(BigState* state, BigMoveList* list, const BlockMove& move);
// The quarter turns `move` adds to `last` when the two turn the same layers (named from either face),
// as BigPush merges them; -1 when they do not.
int MergingTurns(int n, const BlockMove& last, const BlockMove& move);
// A hash of every cell, for searches that meet a state only once.
uint64_t BigStateHash(const BigState& state);
// Runs of moves about one axis rewritten as the fewest blocks of equal net turns, when that is fewer
// moves; the same permutation. Returns the new count.
int SimplifyMoves(BlockMove* moves, int count, int n);
// Block turns in the list at size n (rotations count nothing).
int BigBlockTurns(const BigMoveList& list, int n);
inline BlockMove Block(int face, int first, int last, int quarterTurns) {
  return BlockMove{static_cast<int8_t>(face), static_cast<int8_t>(first), static_cast<int8_t>(last),
                   static_cast<int8_t>(((quarterTurns % 4) + 4) % 4)};
}

// Cell permutation of one clockwise quarter turn of layer `layer` (1..n) of `face` at size n: after it,
// cell to[k] holds what cell from[k] held. Derived on first use from the model's own layer turn.
struct LayerPerm {
  int count;
  int16_t to[4 * kMaxSize + kMaxSize * kMaxSize], from[4 * kMaxSize + kMaxSize * kMaxSize];
};
const LayerPerm& LayerPermOf(int n, int face, int layer);

// Carries the values of any cell array along the move's layer turns, as the turns carry colours.
template <typename Value>
void CarryAlong(int n, Value* cells, const BlockMove& move) {
  const int turns = ((move.quarterTurns % 4) + 4) % 4;
  Value held[4 * kMaxSize + kMaxSize * kMaxSize];
  for (int layer = move.first; layer <= move.last; ++layer) {
    const LayerPerm& perm = LayerPermOf(n, move.face, layer);
    for (int q = 0; q < turns; ++q) {
      for (int k = 0; k < perm.count; ++k) held[k] = cells[perm.from[k]];
      for (int k = 0; k < perm.count; ++k) cells[perm.to[k]] = held[k];
    }
  }
}

// Builds the reduction's own tables for size n ahead of a solve that may fall back to it, so that a
// larger solver's tables, which may take what memory there is, never leave it without room.
void PrepareBigTables(int n);
void PrepareBigCentreTables(int n);
void PrepareBigEdgeTables(int n);

// The stages, each working on the state and appending its moves; false when one could not finish
// (the list full or no progress within its step budget), which the front door reports.
bool SolveBigCentres(BigState* state, BigMoveList* list);
// The same with each step costed in outer block turns, blocks next to a face turned with it where the
// centres end the same; with a lookahead, the best few steps each weighed with the best one after it.
// Scattered: late steps also try commutators over sets of layers that are not adjacent (slower).
bool SolveBigCentresOuter(BigState* state, BigMoveList* list, int lookahead = 0, bool scattered = false);
// The same by a beam over those steps: the positions reached for each number of turns, the `width` with
// most centres home (and a few more with every wing orbit even), each going on by its best `branch`
// steps. Returns up to `ends` ways to every centre home that leave some wing orbit odd and half as many
// that leave none (the moves from the start, `before` the move made just before it), the shortest first
// and none more than `slack` turns longer; empty when no way was found or the limit's cancel was set.
struct CentreBeam {
  int width = 8;
  int branch = 4;
  bool scattered = false;
  int ends = 1;
  int slack = 4;
  const SolveLimit* limit = nullptr;
  int threads = 1;  // the positions' steps searched on this many threads at once
  // The centres next to the corners' inner corners left out, to go anywhere, and the wings next to the
  // corners free to stand odd: a 5×5×5 solver finishes them.
  bool inner = false;
};
std::vector<std::vector<BlockMove>> CentreBeamEnds(const BigState& start, const BlockMove* before,
                                                   const CentreBeam& beam);
bool PairBigEdges(BigState* state, BigMoveList* list);
// The same with each step costed in outer block turns, with steps whose blocks turn with a face too;
// with a lookahead, the best few steps each weighed with the best one after it.
bool PairBigEdgesOuter(BigState* state, BigMoveList* list, int lookahead = 0);
// The same by a beam over those steps: the positions reached for each number of turns, the `width` with
// most wings paired, each going on by its best `branch` steps; where no step gains anywhere in it, the
// greedy goes on from its best. False where the greedy fails too, or when the limit's cancel is set.
// Inner: only the wings inside those next to the corners are paired (with the middle edge on odd
// sizes), the outer ones left anywhere.
struct EdgeBeam {
  int width;
  int branch;
  const SolveLimit* limit;
  bool inner = false;
};
bool PairBigEdgesBeam(BigState* state, BigMoveList* list, const EdgeBeam& beam);
// The wing orbits' permutation parities made even (after the centres, keeping them), and on even
// sizes the swapped-edge parity of the reduced cube fixed (after the edges).
// Inner: the orbit next to the corners left as it is, and the centres next to the corners' inner
// corners free.
bool FixWingParity(BigState* state, BigMoveList* list, bool outer = false, bool inner = false);
// On even sizes, the U-F edge's wings swapped in every orbit at once (the paired edge flipped), the
// centres kept; false on odd sizes.
bool FlipEveryOrbit(BigState* state, BigMoveList* list);
// The same for the orbits first..last (0 next to the corners) alone: their permutation parities turned.
bool FlipOrbits(BigState* state, BigMoveList* list, int first, int last);
// Whether the wings of an orbit (0 next to the corners) stand in an odd permutation of their places.
bool OddWingOrbit(const BigState& state, int orbit);
bool FixSwapParity(BigState* state, BigMoveList* list);
// On even sizes, with the centres home and the wings inside those next to the corners paired: those
// pairs (a 5×5×5's middle edges, when every layer between the second ones turns as one) put in a
// permutation as even as the corners'.
bool FixMiddleSwap(BigState* state, BigMoveList* list);
// The reduced cube finished as a 3×3×3 by the two-phase search.
bool FinishAsThree(BigState* state, const SolveLimit& limit, double started, BigMoveList* list);
// The smaller cube seen through `size` of the state's layers (`at`, 0 from each face, the same on
// every axis), as that size's pattern.
void LayerView(const BigState& state, const int* at, int size, int32_t* pattern);
// The reduced cube read as a 3×3×3 pattern (corners, middle or first wings, centres).
void ThreeView(const BigState& state, int32_t* pattern3);

// The 24 whole-cube rotations at size n as x, y and z moves (up to three each), the identity first.
struct BigRotation {
  int count;
  BlockMove moves[3];
};
const BigRotation* BigRotations(int n);
// The state with the rotation undone: `rotated` is what the rotation makes of `unrotated`.
void UndoRotation(const BigState& rotated, const BigRotation& rotation, BigState* unrotated);

// Whether every centre shows its face's colour; whether every edge's wings (and middle) agree.
// Inner: those next to the corners' inner corners left out.
bool CentresSolved(const BigState& state, bool inner = false);
bool EdgesPaired(const BigState& state);
bool BigSolvedState(const BigState& state);
