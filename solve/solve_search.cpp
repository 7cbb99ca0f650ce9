// The 3×3×3 two-phase search: pruning tables by breadth-first search, then both phases by iterative
// deepening.
#include "solve/solve_search.h"

#include <chrono>
#include <cstring>

#include "solve/solve_coordinates.h"
#include "study/facelet_map.h"

namespace {

SearchTables& T = searchTables;
bool built;

// Fills prune (size a * b, index first * b + second) with distances from (startA, startB), level by
// level, so no queue is needed.
template <typename MoveA, typename MoveB>
void Prune(uint8_t* prune, int a, int b, int startA, int startB, int moves, MoveA moveA, MoveB moveB) {
  const int size = a * b;
  std::memset(prune, 0xFF, static_cast<size_t>(size));
  prune[startA * b + startB] = 0;
  for (int depth = 0, found = 1; found > 0; ++depth) {
    found = 0;
    for (int index = 0; index < size; ++index) {
      if (prune[index] != depth) continue;
      for (int m = 0; m < moves; ++m) {
        const int next = moveA(index / b, m) * b + moveB(index % b, m);
        if (prune[next] == 0xFF) prune[next] = static_cast<uint8_t>(depth + 1), ++found;
      }
    }
  }
}

// The pattern seen three ways (the U-D, L-R and F-B axes as the second phase's axis), each also
// inverted: the six searches share one best length, and the first to find a short answer cuts the rest.
const int kDirections = 6;

struct Direction {
  CubieState start;
  int corner, sorted[kEdgeGroups];  // of the start
  int faceOf[6];                    // the pattern's face for each face of this direction's frame
  bool inverted;
};

struct Search {
  Direction directions[kDirections];
  int direction;  // the one searching now
  int path[kMaxDepth + 8];
  int best;  // the length of the best answer so far, kMaxDepth + 1 before the first
  int bestPath[kMaxDepth + 8];
  int bestDirection;
  std::chrono::steady_clock::time_point deadline;
  bool outOfTime;
  long nodes;
};

// The axis of a face: U and D, L and R, F and B.
const int kAxis[6] = {0, 1, 2, 1, 2, 0};

// Same face twice gives nothing new; opposite faces commute, so only one order of them is tried.
bool Redundant(int m, int last) {
  if (last < 0) return false;
  const int face = m / 3, lastFace = last / 3;
  return face == lastFace || (kAxis[face] == kAxis[lastFace] && face < lastFace);
}

bool TimeUp(Search* s) {
  if (s->best > 20 || ++s->nodes % 4096 != 0) return s->outOfTime;
  if (std::chrono::steady_clock::now() > s->deadline) s->outOfTime = true;
  return s->outOfTime;
}

bool Phase2(Search* s, int corner, int ud, int slice, int depth, int left, int last) {
  if (left == 0) return corner == 0 && ud == 0 && slice == 0;
  if (T.cornerSlicePrune[corner * kPerms4 + slice] > left || T.udSlicePrune[ud * kPerms4 + slice] > left)
    return false;
  for (int k = 0; k < kPhase2Moves; ++k) {
    const int m = T.phase2Move[k];
    if (Redundant(m, last)) continue;
    s->path[depth] = m;
    if (Phase2(s, T.cornerMove[corner][m], T.udMove[ud][k], T.slicePermMove[slice][k], depth + 1, left - 1,
               m))
      return true;
  }
  return false;
}

void StartPhase2(Search* s, int depth) {
  const Direction& d = s->directions[s->direction];
  // Most ends of the first phase are too far from solved to beat the best; the corners and the
  // middle layer tell before the other edges are worked out.
  int corner = d.corner, slice = d.sorted[kSliceEdges];
  for (int k = 0; k < depth; ++k)
    corner = T.cornerMove[corner][s->path[k]], slice = T.sortedMove[kSliceEdges][slice][s->path[k]];
  slice -= T.solvedSlice * kPerms4;
  if (T.cornerSlicePrune[corner * kPerms4 + slice] >= s->best - depth) return;
  CubieState c;
  for (int group = kUpEdges; group <= kDownEdges; ++group) {
    int sorted = d.sorted[group];
    for (int k = 0; k < depth; ++k) sorted = T.sortedMove[group][sorted][s->path[k]];
    PlaceSorted(sorted, group, &c);
  }
  const int ud = UdPermOf(c);
  const int last = depth > 0 ? s->path[depth - 1] : -1;
  for (int left = 0; depth + left < s->best; ++left)
    if (Phase2(s, corner, ud, slice, depth, left, last)) {
      s->best = depth + left;
      s->bestDirection = s->direction;
      std::memcpy(s->bestPath, s->path, sizeof s->path);
      return;
    }
}

void Phase1(Search* s, int twist, int flip, int slice, int depth, int left, int last) {
  if (TimeUp(s)) return;
  if (left == 0) {
    // An end by a move that keeps the subgroup was already reached one move sooner.
    if (twist == 0 && flip == 0 && slice == T.solvedSlice &&
        (last < 0 || (last / 3 != 0 && last / 3 != 5 && last % 3 != 1)))
      StartPhase2(s, depth);
    return;
  }
  if (T.twistSlicePrune[twist * kSlices + slice] > left || T.flipSlicePrune[flip * kSlices + slice] > left ||
      T.twistFlipPrune[twist * kFlips + flip] > left)
    return;
  for (int m = 0; m < kMoves; ++m) {
    if (Redundant(m, last)) continue;
    s->path[depth] = m;
    Phase1(s, T.twistMove[twist][m], T.flipMove[flip][m], T.sliceMove[slice][m], depth + 1, left - 1, m);
    if (depth + 1 >= s->best) return;
  }
}

void Invert(const CubieState& a, CubieState* result) {
  for (int i = 0; i < 8; ++i) {
    result->cornerPerm[a.cornerPerm[i]] = static_cast<int8_t>(i);
    result->cornerTwist[a.cornerPerm[i]] = static_cast<int8_t>((3 - a.cornerTwist[i]) % 3);
  }
  for (int i = 0; i < 12; ++i) {
    result->edgePerm[a.edgePerm[i]] = static_cast<int8_t>(i);
    result->edgeFlip[a.edgePerm[i]] = a.edgeFlip[i];
  }
}

// A symmetric pattern looks the same from several directions; searching one of them is enough.
bool Repeated(const Search& s, int direction) {
  for (int k = 0; k < direction; ++k)
    if (std::memcmp(&s.directions[k].start, &s.directions[direction].start, sizeof(CubieState)) == 0)
      return true;
  return false;
}

// Seen after a whole-cube rotation with its colours renamed so the centres are home, a pattern is made
// by the same turns with their faces renamed. Finds, for each axis, a rotation that brings it to U-D.
bool SetUpDirections(const int32_t* pattern, Search* s) {
  static CubeState rotated;
  bool axisDone[3] = {};
  for (int code = 0; code < 16; ++code) {
    FaceletMap map;
    IdentityMap(3, &map);
    for (int k = 0, c = code; k < 2; ++k, c /= 4)
      ComposeMaps(3, map, OperationMap(kMapRotateLeft + c % 4, 3), &map);
    ApplyMap(3, map, pattern, rotated);
    Direction d;
    int rename[6];
    for (int face = 0; face < 6; ++face) {
      d.faceOf[face] = rotated[CellIndex(face, 1, 1)];
      rename[d.faceOf[face]] = face;
    }
    const int axis = kAxis[d.faceOf[0]];
    if (axisDone[axis]) continue;
    axisDone[axis] = true;
    ForEachUsedCell(3, [&](int cell) { rotated[cell] = rename[rotated[cell]]; });
    if (!ReadCubies(3, rotated, &d.start)) return false;
    for (int inverted = 0; inverted < 2; ++inverted) {
      if (inverted) Invert(s->directions[axis].start, &d.start);
      d.inverted = inverted;
      d.corner = CornerPermOf(d.start);
      for (int group = 0; group < kEdgeGroups; ++group) d.sorted[group] = SortedOf(d.start, group);
      s->directions[3 * inverted + axis] = d;
    }
  }
  return axisDone[0] && axisDone[1] && axisDone[2];
}

}  // namespace

void BuildSearchTables() {
  if (!built) FillSearchTables();
}

void FillSearchTables() {
  BuildMoveTables();
  Prune(
      T.twistSlicePrune, kTwists, kSlices, 0, T.solvedSlice, kMoves,
      [](int c, int m) { return T.twistMove[c][m]; }, [](int c, int m) { return T.sliceMove[c][m]; });
  Prune(
      T.flipSlicePrune, kFlips, kSlices, 0, T.solvedSlice, kMoves,
      [](int c, int m) { return T.flipMove[c][m]; }, [](int c, int m) { return T.sliceMove[c][m]; });
  Prune(
      T.twistFlipPrune, kTwists, kFlips, 0, 0, kMoves, [](int c, int m) { return T.twistMove[c][m]; },
      [](int c, int m) { return T.flipMove[c][m]; });
  Prune(
      T.cornerSlicePrune, kPerms8, kPerms4, 0, 0, kPhase2Moves,
      [](int c, int k) { return T.cornerMove[c][T.phase2Move[k]]; },
      [](int c, int k) { return T.slicePermMove[c][k]; });
  Prune(
      T.udSlicePrune, kPerms8, kPerms4, 0, 0, kPhase2Moves, [](int c, int m) { return T.udMove[c][m]; },
      [](int c, int m) { return T.slicePermMove[c][m]; });
  built = true;
}

void* SearchTableBytes(size_t* size) {
  *size = sizeof T;
  return &T;
}

void MarkSearchTables(bool filled) { built = filled; }

bool SearchTablesValid() {
  // Every entry that indexes another table must stay inside it; the distances are only compared.
  bool valid = T.solvedSlice >= 0 && T.solvedSlice < kSlices;
  const auto within = [&valid](const auto& table, int limit) {
    for (const auto& row : table)
      for (const auto entry : row) valid = valid && entry >= 0 && entry < limit;
  };
  within(T.twistMove, kTwists);
  within(T.flipMove, kFlips);
  within(T.sliceMove, kSlices);
  within(T.cornerMove, kPerms8);
  within(T.udMove, kPerms8);
  within(T.slicePermMove, kPerms4);
  for (const auto& group : T.sortedMove) within(group, kSorted);
  within(T.groupCubies, 12);
  for (int k = 0; k < 4; ++k) valid = valid && T.slicePos[k] >= 0 && T.slicePos[k] < 12;
  for (int k = 0; k < 8; ++k) valid = valid && T.udPos[k] >= 0 && T.udPos[k] < 12;
  for (int k = 0; k < kPhase2Moves; ++k) valid = valid && T.phase2Move[k] >= 0 && T.phase2Move[k] < kMoves;
  return valid;
}

bool CentresHome(int n, const int32_t* pattern) {
  for (int face = 0; face < 6; ++face)
    if (pattern[CellIndex(face, n / 2, n / 2)] != face) return false;
  return true;
}

int SolveEdgesAndCorners(const int32_t* unrotated, double limitSeconds, int* faces, int* quarterTurns,
                         bool* optimal) {
  BuildSearchTables();
  static Search s;
  s = Search{};
  if (!SetUpDirections(unrotated, &s)) return -1;
  s.best = 21;
  s.deadline = std::chrono::steady_clock::now() +
               std::chrono::microseconds(static_cast<long long>(limitSeconds * 1e6));
  bool complete = false;  // one direction has tried every first phase shorter than the best
  for (int depth = 0; !s.outOfTime && !complete; ++depth)
    for (s.direction = 0; s.direction < kDirections && !s.outOfTime; ++s.direction) {
      if (depth >= s.best) {
        complete = true;
        break;
      }
      const CubieState& start = s.directions[s.direction].start;
      if (Repeated(s, s.direction)) continue;
      Phase1(&s, TwistOf(start), FlipOf(start), SliceOf(start), 0, depth, -1);
    }
  *optimal = complete;
  if (s.best > 20) return -1;
  // The path takes the direction's start to solved. From solved, an uninverted start is made by the
  // path's inverse; an inverted one by the path itself.
  const Direction& d = s.directions[s.bestDirection];
  for (int k = 0; k < s.best; ++k) {
    const int m = d.inverted ? s.bestPath[k] : s.bestPath[s.best - 1 - k];
    faces[k] = d.faceOf[m / 3];
    quarterTurns[k] = d.inverted ? 1 + m % 3 : 3 - m % 3;
  }
  return s.best;
}
