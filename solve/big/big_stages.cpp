// The big cube's parities, its last stage as a 3×3×3, and the whole-cube rotations.
#include <cstring>

#include "cube/size_tables.h"
#include "solve/big/big_cube.h"
#include "solve/solve_search.h"
#include "solve/solve_steps.h"
#include "study/facelet_map.h"
#include "study/pieces.h"
#include "study/reachability_steps.h"

namespace {

// A wing's identity in its orbit: its edge and its handedness, as the reachability check tells them.
int WingKey(const PieceLists& lists, int piece, int first, int second) {
  const int edge = lists.edgeOfMask[(1 << first) | (1 << second)];
  if (edge < 0 || first == second) return -1;
  const int sign = first < second ? lists.wingSign[piece] : -lists.wingSign[piece];
  return edge * 2 + (sign > 0);
}

bool OddPermutation(const int8_t* perm, int count) {
  int inversions = 0;
  for (int i = 0; i < count; ++i)
    for (int j = i + 1; j < count; ++j) inversions += perm[i] > perm[j];
  return inversions % 2 == 1;
}

}  // namespace

// Whether the orbit's wings stand in an odd permutation of their places; false also for a pattern that
// shows no sound set of wings (which the reachability check refused before).
bool OddWingOrbit(const BigState& state, int orbit) {
  const PieceLists& lists = ListsOf(state.n);
  const PieceSet& set = PiecesOf(state.n);
  int homeOfKey[kOrbitPlaces], holds[kOrbitPlaces];
  std::memset(homeOfKey, -1, sizeof homeOfKey);
  for (int k = 0; k < kOrbitPlaces; ++k) {
    const int piece = lists.wings[orbit][k];
    const int16_t* cells = set.pieces[piece].cells;
    const int key = WingKey(lists, piece, cells[0] / kFaceStride, cells[1] / kFaceStride);
    if (key >= 0) homeOfKey[key] = k;
  }
  for (int k = 0; k < kOrbitPlaces; ++k) {
    const int piece = lists.wings[orbit][k];
    const int16_t* cells = set.pieces[piece].cells;
    const int key = WingKey(lists, piece, state.cells[cells[0]], state.cells[cells[1]]);
    if (key < 0 || homeOfKey[key] < 0) return false;
    holds[k] = homeOfKey[key];
  }
  bool seen[kOrbitPlaces] = {};
  int cycles = 0;
  for (int k = 0; k < kOrbitPlaces; ++k) {
    if (seen[k]) continue;
    ++cycles;
    for (int j = k; !seen[j]; j = holds[j]) seen[j] = true;
  }
  return (kOrbitPlaces - cycles) % 2 == 1;
}

namespace {

// The known sequence that swaps the two wings of each orbit in the U-F edge (the edge flipped once
// the wings are paired), at the inner layers `first` to `last` of R and L; it keeps every centre on
// its face. For outer block turns, blocks that start next to R and L may take those faces along: the
// faces turn only their own centres, so the centres and the orbits' parities end the same, but the
// wings are then no longer paired as before, so this is only for before the edges are paired.
bool FlipUpFront(BigState* state, BigMoveList* list, int first, int last, bool outer) {
  const int from = outer && first == 2 ? 1 : first;
  const BlockMove r2 = Block(R, from, last, 2), r = Block(R, from, last, 1), rPrime = Block(R, from, last, 3);
  const BlockMove l = Block(L, from, last, 1), lPrime = Block(L, from, last, 3);
  const BlockMove b2 = Block(B, 1, 1, 2), u2 = Block(U, 1, 1, 2), f2 = Block(F, 1, 1, 2);
  const BlockMove fix[] = {r2, b2, u2, l, u2, rPrime, u2, r, u2, f2, r, f2, lPrime, b2, r2};
  for (const BlockMove& move : fix)
    if (!BigPush(state, list, move)) return false;
  return true;
}

}  // namespace

bool FlipOrbits(BigState* state, BigMoveList* list, int first, int last) {
  return FlipUpFront(state, list, first + 2, last + 2, false);
}

bool FlipEveryOrbit(BigState* state, BigMoveList* list) {
  const int n = state->n;
  return n % 2 == 0 && FlipUpFront(state, list, 2, n / 2, false) && CentresSolved(*state);
}

bool FixWingParity(BigState* state, BigMoveList* list, bool outer, bool inner) {
  // An orbit left in an odd permutation (each single slice quarter turn makes one) shows as one edge
  // flipped once the wings are paired: the known fix for it, at the orbit's own slices, keeps every
  // centre on its face.
  // Neighbouring odd orbits share one fix, turned as a block of their slices.
  const int n = state->n;
  const int orbits = ListsOf(n).wingOrbitCount;
  bool odd[kMaxSize] = {};
  for (int orbit = inner ? 1 : 0; orbit < orbits; ++orbit) odd[orbit] = OddWingOrbit(*state, orbit);
  for (int orbit = 0; orbit < orbits; ++orbit) {
    if (!odd[orbit]) continue;
    int last = orbit;
    while (last + 1 < orbits && odd[last + 1]) ++last;
    if (!FlipUpFront(state, list, orbit + 2, last + 2, outer)) return false;
    orbit = last;
  }
  return CentresSolved(*state, inner);
}

void LayerView(const BigState& state, const int* at, int size, int32_t* pattern) {
  for (int face = 0; face < 6; ++face)
    for (int row = 0; row < size; ++row)
      for (int column = 0; column < size; ++column)
        pattern[CellIndex(face, row, column)] = state.cells[CellIndex(face, at[row], at[column])];
}

void ThreeView(const BigState& state, int32_t* pattern3) {
  const int n = state.n;
  const int at[3] = {0, n % 2 == 1 ? n / 2 : 1, n - 1};
  LayerView(state, at, 3, pattern3);
}

bool FixSwapParity(BigState* state, BigMoveList* list) {
  if (state->n % 2 == 1) return true;
  CubeState pattern3;
  ThreeView(*state, pattern3);
  CubieState cubies;
  if (!ReadCubies(3, pattern3, &cubies)) return false;
  int flips = 0;
  for (int k = 0; k < 12; ++k) flips += cubies.edgeFlip[k];
  if (flips % 2 == 1) {
    // Paired the other way round from the wings' own parity: one edge flipped, every orbit at once.
    if (!FlipEveryOrbit(state, list)) return false;
    ThreeView(*state, pattern3);
    if (!ReadCubies(3, pattern3, &cubies)) return false;
  }
  if (OddPermutation(cubies.cornerPerm, 8) == OddPermutation(cubies.edgePerm, 12)) return true;
  // Two edges swapped: the half-cube's inner slices and the upper half turned by halves, which
  // swaps the front and back edges of U and brings every centre back to its face.
  const int half = state->n / 2;
  const BlockMove r2 = Block(R, 2, half, 2), u2 = Block(U, 1, 1, 2), upper2 = Block(U, 1, half, 2);
  const BlockMove swap[] = {r2, u2, r2, upper2, r2, upper2};
  for (const BlockMove& move : swap)
    if (!BigPush(state, list, move)) return false;
  return CentresSolved(*state) && EdgesPaired(*state);
}

bool FixMiddleSwap(BigState* state, BigMoveList* list) {
  const int n = state->n;
  if (n % 2 == 1) return true;
  // The 3×3×3 seen through a middle layer: its edges are the middle pairs.
  CubeState pattern3;
  const int at[3] = {0, n / 2, n - 1};
  LayerView(*state, at, 3, pattern3);
  CubieState cubies;
  if (!ReadCubies(3, pattern3, &cubies)) return false;
  if (OddPermutation(cubies.cornerPerm, 8) == OddPermutation(cubies.edgePerm, 12)) return true;
  // The 4×4×4's swap of U's front and back edges with the middle pairs as its edges: the pairs' slices
  // on R's side of the middle turned as its inner layer, and the upper half by halves. The slices
  // beside R and L only follow the U face's half turn, so the centres come back and every middle pair
  // stays whole.
  const BlockMove r2 = Block(R, 3, n / 2, 2), u2 = Block(U, 1, 1, 2), upper2 = Block(U, 1, n / 2, 2);
  const BlockMove swap[] = {r2, u2, r2, upper2, r2, upper2};
  for (const BlockMove& move : swap)
    if (!BigPush(state, list, move)) return false;
  return CentresSolved(*state, true);
}

bool FinishAsThree(BigState* state, const SolveLimit& limit, double started, BigMoveList* list) {
  CubeState pattern3;
  ThreeView(*state, pattern3);
  int faces[kMaxSolveLength], turns[kMaxSolveLength];
  bool optimal = false;
  const int length = SolveEdgesAndCorners(pattern3, limit, started, faces, turns, &optimal);
  if (length < 0) return false;
  // The search gives the way from solved to the pattern; the stage needs the way back.
  for (int k = length - 1; k >= 0; --k)
    if (!BigPush(state, list, Block(faces[k], 1, 1, 4 - turns[k]))) return false;
  return BigSolvedState(*state);
}

bool BigSolvedState(const BigState& state) {
  bool solved = true;
  ForEachUsedCell(state.n, [&](int cell) { solved = solved && state.cells[cell] == cell / kFaceStride; });
  return solved;
}

namespace {

struct Rotations {
  BigRotation of[24];
};

// Breadth first over x, y and z quarter and half turns, keeping each new arrangement once.
void FindRotations(int n, Rotations* rotations) {
  BigState seen[24];
  int found = 0;
  BigRotation queue[24 * 9 + 1];
  int head = 0, tail = 0;
  queue[tail++] = BigRotation{0, {}};
  static const int8_t kAxes[3] = {R, U, F};
  while (head < tail && found < 24) {
    const BigRotation r = queue[head++];
    BigState state;
    BigSolved(n, &state);
    for (int k = 0; k < r.count; ++k) BigApply(&state, r.moves[k]);
    bool known = false;
    for (int k = 0; k < found && !known; ++k)
      known = std::memcmp(seen[k].cells, state.cells, kCellCount) == 0;
    if (known) continue;
    seen[found] = state;
    rotations->of[found++] = r;
    if (r.count == 3) continue;
    for (int axis = 0; axis < 3; ++axis)
      for (int q = 1; q < 4; ++q) {
        if (r.count > 0 && r.moves[r.count - 1].face == kAxes[axis]) continue;
        BigRotation next = r;
        next.moves[next.count++] = Block(kAxes[axis], 1, n, q);
        queue[tail++] = next;
      }
  }
}

}  // namespace

const BigRotation* BigRotations(int n) { return TableOfSize<Rotations, FindRotations>(n).of; }

void UndoRotation(const BigState& rotated, const BigRotation& rotation, BigState* unrotated) {
  *unrotated = rotated;
  for (int k = rotation.count - 1; k >= 0; --k) BigApply(unrotated, InverseBlockMove(rotation.moves[k]));
}
