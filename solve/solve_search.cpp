// The 3×3×3 two-phase search: pruning tables by breadth-first search, then both phases by iterative
// deepening.
#include "solve/solve_search.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "solve/solve_coordinates.h"
#include "study/facelet_map.h"

namespace {

SearchTables& T = searchTables;
bool built;

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
double (*clockNow)() = SteadySeconds;

// Distances from (startA, startB) over a * b positions (index first * b + second), level by level, so
// no queue is needed.
template <typename MoveA, typename MoveB>
std::vector<uint8_t> Distances(int a, int b, int startA, int startB, int moves, MoveA moveA, MoveB moveB) {
  const int size = a * b;
  std::vector<uint8_t> distance(static_cast<size_t>(size), 0xFF);
  distance[static_cast<size_t>(startA * b + startB)] = 0;
  for (int depth = 0, found = 1; found > 0; ++depth) {
    found = 0;
    for (int index = 0; index < size; ++index) {
      if (distance[static_cast<size_t>(index)] != depth) continue;
      for (int m = 0; m < moves; ++m) {
        const int next = moveA(index / b, m) * b + moveB(index % b, m);
        if (distance[static_cast<size_t>(next)] == 0xFF)
          distance[static_cast<size_t>(next)] = static_cast<uint8_t>(depth + 1), ++found;
      }
    }
  }
  return distance;
}

// Two to a byte; past 14 kept as 14, which still never overestimates.
void PackHalves(const std::vector<uint8_t>& distance, uint8_t* prune) {
  std::memset(prune, 0, (distance.size() + 1) / 2);
  for (size_t index = 0; index < distance.size(); ++index)
    prune[index >> 1] |= static_cast<uint8_t>(std::min<int>(distance[index], 14) << ((index & 1) << 2));
}

void PackMod3(const std::vector<uint8_t>& distance, uint8_t* prune) {
  std::memset(prune, 0, (distance.size() + 3) / 4);
  for (size_t index = 0; index < distance.size(); ++index)
    prune[index >> 2] |= static_cast<uint8_t>(distance[index] % 3 << ((index & 3) << 1));
}

// The distance of (a, b) in a table of distances modulo 3: the length of a walk to the goal that
// steps each time to a neighbour one closer. -1 when the table allows no such walk.
int DistanceOf(const uint8_t* prune, int a, int b, int sizeB, const int16_t (*moveA)[kMoves],
               const int16_t (*moveB)[kMoves], int goal) {
  int distance = 0;
  for (; a * sizeB + b != goal; ++distance) {
    const int closer = (Mod3(prune, a * sizeB + b) + 2) % 3;
    int m = 0;
    while (m < kMoves && Mod3(prune, moveA[a][m] * sizeB + moveB[b][m]) != closer) ++m;
    if (m == kMoves || distance > kMaxDepth) return -1;
    a = moveA[a][m], b = moveB[b][m];
  }
  return distance;
}

// The pattern seen three ways (the U-D, L-R and F-B axes as the second phase's axis), each also
// inverted: the six searches share one best length, and the first to find a short answer cuts the rest.
const int kDirections = 6;
// The second phase is sought at most this long while the best answer would allow more: longer ones
// are rare and slow to rule out, and another end of the first phase usually does better.
const int kPhase2Bound = 12;
// See Phase1.
const int kSkipReturnsFrom = 8;

struct Direction {
  CubieState start;
  int corner, sorted[kEdgeGroups];      // of the start
  int twist, flip, slice, distance[4];  // as in Phase1Position
  int faceOf[6];                        // the pattern's face for each face of this direction's frame
  // The frame turned a quarter about its U-D axis: each move there, and the start's twist and flip.
  int turnedMove[kMoves], turnedTwist, turnedFlip;
  bool inverted;
};

struct Search {
  Direction directions[kDirections];
  int direction;  // the one searching now
  int path[kMaxDepth + 8];
  int best;  // the length of the best answer so far, kMaxDepth + 1 before the first
  int bestPath[kMaxDepth + 8];
  int bestDirection;
  double deadline;
  bool outOfTime;
  long nodes, phase2Nodes;
  // Answers this long or longer may have been passed over by the bound on the second phase.
  int passedOver;
  // The second phase's coordinates after the path's first k moves, worked out for k <= known.
  int known;
  int cornerAt[kMaxDepth + 8], sortedAt[kEdgeGroups][kMaxDepth + 8];
};

// The axis of a face: U and D, L and R, F and B.
const int kAxis[6] = {0, 1, 2, 1, 2, 0};

// Same face twice gives nothing new; opposite faces commute, so only one order of them is tried.
bool Redundant(int face, int last) {
  if (last < 0) return false;
  const int lastFace = last / 3;
  return face == lastFace || (kAxis[face] == kAxis[lastFace] && face < lastFace);
}

bool TimeUp(Search* s) {
  if (++s->nodes % 4096 != 0 || s->best > 20) return s->outOfTime;
  if (clockNow() > s->deadline) s->outOfTime = true;
  return s->outOfTime;
}

int Phase2Distance(int corner, int ud, int slice) {
  return std::max(std::max(Distance(T.cornerSlicePrune, corner * kPerms4 + slice),
                           Distance(T.udSlicePrune, ud * kPerms4 + slice)),
                  Distance(T.udCombPrune, ud * kCombs + T.combOf[corner]));
}

bool Phase2(Search* s, int corner, int ud, int slice, int depth, int left, int last) {
  ++s->phase2Nodes;
  if (left == 0) return corner == 0 && ud == 0 && slice == 0;
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    // U and D turn any amount, the others only half turns.
    const bool upDown = kAxis[face] == 0;
    for (int power = upDown ? 0 : 1; power < (upDown ? 3 : 2); ++power) {
      const int m = face * 3 + power, k = T.phase2Index[m];
      const int nextCorner = T.cornerMove[corner][m], nextUd = T.udMove[ud][k];
      const int nextSlice = T.slicePermMove[slice][k];
      const int distance = Phase2Distance(nextCorner, nextUd, nextSlice);
      // One more turn of the face reaches the other amounts, so they are at least left away too.
      if (distance > left) break;
      if (distance == left) continue;
      s->path[depth] = m;
      if (Phase2(s, nextCorner, nextUd, nextSlice, depth + 1, left - 1, m)) return true;
    }
  }
  return false;
}

// Seeks the second phase from the coordinates after depth moves, as short as it can be.
bool TryPhase2(Search* s, int corner, int ud, int slice, int depth, int last, int* distanceOut) {
  const int allowed = s->best - 1 - depth, bound = std::min(allowed, kPhase2Bound);
  const int distance = *distanceOut = Phase2Distance(corner, ud, slice);
  for (int left = distance; left <= bound; ++left)
    if (Phase2(s, corner, ud, slice, depth, left, last)) {
      s->best = depth + left;
      s->bestDirection = s->direction;
      std::memcpy(s->bestPath, s->path, sizeof s->path);
      return true;
    }
  if (bound < allowed) s->passedOver = std::min(s->passedOver, depth + std::max(distance, bound + 1));
  return false;
}

void StartPhase2(Search* s, int depth) {
  for (int k = std::max(s->known, 0); k < depth; ++k) {
    s->cornerAt[k + 1] = T.cornerMove[s->cornerAt[k]][s->path[k]];
    for (int group = 0; group < kEdgeGroups; ++group)
      s->sortedAt[group][k + 1] = T.sortedMove[group][s->sortedAt[group][k]][s->path[k]];
  }
  s->known = depth;
  const int corner = s->cornerAt[depth], slice = s->sortedAt[kSliceEdges][depth] - T.solvedSlice * kPerms4;
  // Most ends of the first phase are too far from solved to beat the best; the corners and the
  // middle layer tell before the other edges are worked out (X' below can be one turn nearer).
  if (Distance(T.cornerSlicePrune, corner * kPerms4 + slice) >= s->best - depth + (depth > 0 ? 1 : 0)) return;
  CubieState c;
  for (int group = kUpEdges; group <= kDownEdges; ++group) PlaceSorted(s->sortedAt[group][depth], group, &c);
  const int ud = UdPermOf(c);
  const int last = depth > 0 ? s->path[depth - 1] : -1;
  int distance;
  if (TryPhase2(s, corner, ud, slice, depth, last, &distance) || depth == 0) return;
  // X' is X and one turn more: when X is two turns past the bound, so is X'.
  if (distance > std::min(s->best - 1 - depth, kPhase2Bound) + 1) return;
  // The first phase ends with a quarter turn X of a side face; X' ends in the same place of the
  // subgroup (it is X then X2), so the first phase never tries it last and it is tried here instead.
  const int half = last / 3 * 3 + 1, k = T.phase2Index[half];
  s->path[depth - 1] = last / 3 * 3 + 2;
  TryPhase2(s, T.cornerMove[corner][half], T.udMove[ud][k], T.slicePermMove[slice][k], depth,
            s->path[depth - 1], &distance);
  s->path[depth - 1] = last;
}

// A position of the first phase, and its distances in the first phase's tables: twist-slice, flip-slice,
// twist-flip, and twist-flip as seen a quarter turn about the U-D axis.
struct Phase1Position {
  int twist, flip, slice, turnedTwist, turnedFlip;
  int distance[4];
};

void Phase1(Search* s, const Phase1Position& p, int depth, int left, int last) {
  if (TimeUp(s)) return;
  if (left == 0) {
    // An end by a move that keeps the subgroup was already reached one move sooner.
    if (p.twist == 0 && p.flip == 0 && p.slice == T.solvedSlice && (last < 0 || T.phase2Index[last] < 0))
      StartPhase2(s, depth);
    return;
  }
  // Before the first answer, a first phase that reaches the subgroup and leaves it again only to come
  // back within a few turns rarely beats the second phase from where it first arrived; those are left
  // for the search after it, and an answer they might have made is no longer known to be missing.
  if (p.distance[0] == 0 && p.distance[1] == 0 && p.distance[2] == 0 && left < 5 && s->best > 20 &&
      depth + left >= kSkipReturnsFrom) {
    s->passedOver = std::min(s->passedOver, depth + left);
    return;
  }
  const Direction& d = s->directions[s->direction];
  Phase1Position n;
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    for (int power = 0; power < 3; ++power) {
      if (left == 1 && power == 2 && kAxis[face] != 0) break;  // tried with X, see StartPhase2
      const int m = face * 3 + power;
      // Each bound read only when the ones before it allow the move; one more turn of the face reaches
      // its other amounts, so a bound past `left` rules them out too.
      n.twist = T.twistMove[p.twist][m];
      n.slice = T.sliceMove[p.slice][m];
      n.distance[0] = NextDistance(p.distance[0], Mod3(T.twistSlicePrune, n.twist * kSlices + n.slice));
      if (n.distance[0] > left) break;
      if (n.distance[0] == left) continue;
      n.flip = T.flipMove[p.flip][m];
      n.distance[1] = NextDistance(p.distance[1], Mod3(T.flipSlicePrune, n.flip * kSlices + n.slice));
      if (n.distance[1] > left) break;
      if (n.distance[1] == left) continue;
      n.distance[2] = NextDistance(p.distance[2], Mod3(T.twistFlipPrune, n.twist * kFlips + n.flip));
      if (n.distance[2] > left) break;
      if (n.distance[2] == left) continue;
      n.turnedTwist = T.twistMove[p.turnedTwist][d.turnedMove[m]];
      n.turnedFlip = T.flipMove[p.turnedFlip][d.turnedMove[m]];
      n.distance[3] =
          NextDistance(p.distance[3], Mod3(T.twistFlipPrune, n.turnedTwist * kFlips + n.turnedFlip));
      if (n.distance[3] > left) break;
      if (n.distance[3] == left) continue;
      s->path[depth] = m;
      if (s->known > depth) s->known = depth;
      Phase1(s, n, depth + 1, left - 1, m);
      // Every answer from here has at least depth + left turns.
      if (depth + left >= s->best || s->outOfTime) return;
    }
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
// Reads the pattern seen after `map`, its colours renamed so the centres are home; faceOf gets the
// pattern's face for each face of that frame.
bool ReadFrame(const int32_t* pattern, const FaceletMap& map, CubieState* state, int* faceOf) {
  static CubeState rotated;
  ApplyMap(3, map, pattern, rotated);
  int rename[6];
  for (int face = 0; face < 6; ++face) {
    faceOf[face] = rotated[CellIndex(face, 1, 1)];
    rename[faceOf[face]] = face;
  }
  ForEachUsedCell(3, [&](int cell) { rotated[cell] = rename[rotated[cell]]; });
  return ReadCubies(3, rotated, state);
}

// Seen after a whole-cube rotation with its colours renamed so the centres are home, a pattern is made
// by the same turns with their faces renamed. Finds, for each axis, a rotation that brings it to U-D.
bool SetUpDirections(const int32_t* pattern, Search* s) {
  bool axisDone[3] = {};
  for (int code = 0; code < 16; ++code) {
    FaceletMap map, turned;
    IdentityMap(3, &map);
    for (int k = 0, c = code; k < 2; ++k, c /= 4)
      ComposeMaps(3, map, OperationMap(kMapRotateLeft + c % 4, 3), &map);
    Direction d;
    CubieState start, turnedStart;
    if (!ReadFrame(pattern, map, &start, d.faceOf)) return false;
    const int axis = kAxis[d.faceOf[0]];
    if (axisDone[axis]) continue;
    axisDone[axis] = true;
    // The same frame turned a quarter about its U-D axis has the same first-phase goal, but its edge
    // flips read differently: its twist-flip distance is a second bound.
    int turnedFaceOf[6];
    ComposeMaps(3, map, OperationMap(kMapRotateLeft, 3), &turned);
    if (!ReadFrame(pattern, turned, &turnedStart, turnedFaceOf)) return false;
    for (int face = 0; face < 6; ++face)
      for (int other = 0; other < 6; ++other)
        if (turnedFaceOf[other] == d.faceOf[face])
          for (int power = 0; power < 3; ++power) d.turnedMove[face * 3 + power] = other * 3 + power;
    for (int inverted = 0; inverted < 2; ++inverted) {
      d.inverted = inverted;
      d.start = start;
      CubieState turnedState = turnedStart;
      if (inverted) Invert(start, &d.start), Invert(turnedStart, &turnedState);
      d.twist = TwistOf(d.start);
      d.flip = FlipOf(d.start);
      d.slice = SliceOf(d.start);
      d.corner = CornerPermOf(d.start);
      d.turnedTwist = TwistOf(turnedState);
      d.turnedFlip = FlipOf(turnedState);
      d.distance[0] =
          DistanceOf(T.twistSlicePrune, d.twist, d.slice, kSlices, T.twistMove, T.sliceMove, T.solvedSlice);
      d.distance[1] =
          DistanceOf(T.flipSlicePrune, d.flip, d.slice, kSlices, T.flipMove, T.sliceMove, T.solvedSlice);
      d.distance[2] = DistanceOf(T.twistFlipPrune, d.twist, d.flip, kFlips, T.twistMove, T.flipMove, 0);
      d.distance[3] =
          DistanceOf(T.twistFlipPrune, d.turnedTwist, d.turnedFlip, kFlips, T.twistMove, T.flipMove, 0);
      for (const int distance : d.distance)
        if (distance < 0) return false;
      for (int group = 0; group < kEdgeGroups; ++group) d.sorted[group] = SortedOf(d.start, group);
      s->directions[3 * inverted + axis] = d;
    }
  }
  return axisDone[0] && axisDone[1] && axisDone[2];
}

Search s;

}  // namespace

void BuildSearchTables() {
  if (!built) FillSearchTables();
}

void FillSearchTables() {
  BuildMoveTables();
  PackMod3(Distances(
               kTwists, kSlices, 0, T.solvedSlice, kMoves, [](int c, int m) { return T.twistMove[c][m]; },
               [](int c, int m) { return T.sliceMove[c][m]; }),
           T.twistSlicePrune);
  PackMod3(Distances(
               kFlips, kSlices, 0, T.solvedSlice, kMoves, [](int c, int m) { return T.flipMove[c][m]; },
               [](int c, int m) { return T.sliceMove[c][m]; }),
           T.flipSlicePrune);
  PackMod3(Distances(
               kTwists, kFlips, 0, 0, kMoves, [](int c, int m) { return T.twistMove[c][m]; },
               [](int c, int m) { return T.flipMove[c][m]; }),
           T.twistFlipPrune);
  PackHalves(
      Distances(
          kPerms8, kPerms4, 0, 0, kPhase2Moves, [](int c, int k) { return T.cornerMove[c][T.phase2Move[k]]; },
          [](int c, int k) { return T.slicePermMove[c][k]; }),
      T.cornerSlicePrune);
  PackHalves(Distances(
                 kPerms8, kPerms4, 0, 0, kPhase2Moves, [](int c, int k) { return T.udMove[c][k]; },
                 [](int c, int k) { return T.slicePermMove[c][k]; }),
             T.udSlicePrune);
  // The corners' combination follows from their permutation, whatever the permutation behind it.
  static uint8_t combMove[kCombs][kPhase2Moves];
  for (int corner = 0; corner < kPerms8; ++corner)
    for (int k = 0; k < kPhase2Moves; ++k)
      combMove[T.combOf[corner]][k] = T.combOf[T.cornerMove[corner][T.phase2Move[k]]];
  PackHalves(Distances(
                 kPerms8, kCombs, 0, T.combOf[0], kPhase2Moves, [](int c, int k) { return T.udMove[c][k]; },
                 [](int c, int k) { return combMove[c][k]; }),
             T.udCombPrune);
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
  // Without a branch an entry, so a start-up that reads the tables back pays little for the check.
  const auto within = [&valid](const auto& table, int limit) {
    unsigned outside = 0;
    for (const auto& row : table)
      for (const auto entry : row)
        outside |= static_cast<unsigned>(static_cast<int>(entry) >= limit || entry < 0);
    valid = valid && outside == 0;
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
  for (int m = 0; m < kMoves; ++m) valid = valid && T.phase2Index[m] >= -1 && T.phase2Index[m] < kPhase2Moves;
  for (int m = 0; m < kMoves; ++m)
    valid = valid && (T.phase2Index[m] < 0 || T.phase2Move[T.phase2Index[m]] == m);
  for (const auto comb : T.combOf) valid = valid && comb < kCombs;
  return valid;
}

bool CentresHome(int n, const int32_t* pattern) {
  for (int face = 0; face < 6; ++face)
    if (pattern[CellIndex(face, n / 2, n / 2)] != face) return false;
  return true;
}

long SearchNodes() { return s.nodes + s.phase2Nodes; }

void SetSolveClock(double (*now)()) { clockNow = now != nullptr ? now : SteadySeconds; }

double SolveClock() { return clockNow(); }

int SolveEdgesAndCorners(const int32_t* unrotated, double limitSeconds, int* faces, int* quarterTurns,
                         bool* optimal) {
  BuildSearchTables();
  s = Search{};
  if (!SetUpDirections(unrotated, &s)) return -1;
  s.best = 21;
  s.passedOver = kMaxDepth + 8;
  s.deadline = clockNow() + limitSeconds;
  bool complete = false;  // one direction has tried every first phase shorter than the best
  for (int depth = 0; !s.outOfTime && !complete; ++depth)
    for (s.direction = 0; s.direction < kDirections && !s.outOfTime; ++s.direction) {
      if (depth >= s.best) {
        complete = true;
        break;
      }
      const Direction& d = s.directions[s.direction];
      if (Repeated(s, s.direction)) continue;
      s.known = 0;
      s.cornerAt[0] = d.corner;
      for (int group = 0; group < kEdgeGroups; ++group) s.sortedAt[group][0] = d.sorted[group];
      const Phase1Position start = {
          d.twist,       d.flip,       d.slice,
          d.turnedTwist, d.turnedFlip, {d.distance[0], d.distance[1], d.distance[2], d.distance[3]}};
      if (*std::max_element(d.distance, d.distance + 4) <= depth) Phase1(&s, start, 0, depth, -1);
    }
  *optimal = complete && s.passedOver >= s.best;
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
