// The 3×3×3 two-phase search: both phases by iterative deepening over the six directions, with turns
// made before the pattern, and the answer put together.
#include "solve/solve_search.h"

#include <algorithm>
#include <cstring>

#include "solve/solve_coordinates.h"
#include "solve/solve_directions.h"

namespace {

const SearchTables& T = searchTables;

// The second phase is sought at most this long while the best answer would allow more: longer ones
// are rare and slow to rule out, and another end of the first phase usually does better.
const int kPhase2Bound = 12;
// See Phase1.
const int kSkipReturnsFrom = 8;
// Without a time limit the search still tries first phases this short, which costs next to nothing,
// so a pattern a few turns from solved gets its fewest.
const int kShortAnswers = 6;

// Turns made before the pattern (as in fewest-moves practice) give the first phase more starts at
// the same length: if P, then the pattern, then A is solved, the pattern then A then P is too. They
// are tried while the first phase is still this long.
const int kLongestWithoutPreMoves = 6;

struct Search {
  Direction directions[kDirections];
  int direction;  // the one searching now
  int path[kMaxDepth + 8];
  int pre[kMaxDepth + 8], preCount;  // the turns before the pattern, first made first
  int best;                          // the length of the best answer so far, 21 before the first
  int bestPath[kMaxDepth + 8], bestPre[kMaxDepth + 8], bestPreCount;
  int bestDirection;
  const SolveLimit* limit;
  double deadline;       // on the limit's clock
  bool firstAnswerOnly;  // without a time limit: stop at the first answer of at most 20 turns
  int length;            // of the first phases tried now, turns before the pattern included
  bool outOfTime;
  long nodes, phase2Nodes;
  int phase2End;  // the length of the path where Phase2 last found solved
  // Answers this long or longer may have been passed over by the bound on the second phase.
  int passedOver;
  // The second phase's coordinates after the path's first k moves, worked out for k <= known (none
  // while -1), from the cubies where the first phase started.
  int known;
  const CubieState* root;
  int cornerAt[kMaxDepth + 8], sortedAt[kEdgeGroups][kMaxDepth + 8];
};

// Same face twice gives nothing new; opposite faces commute, so only one order of them is tried.
bool Redundant(int face, int last) {
  if (last < 0) return false;
  const int lastFace = last / 3;
  return face == lastFace || (kAxis[face] == kAxis[lastFace] && face < lastFace);
}

bool TimeUp(Search* s) {
  // Without a limit the search stops at its first answer instead, see TryPhase2.
  if (++s->nodes % 1024 != 0 || s->best > 20 || s->firstAnswerOnly) return s->outOfTime;
  if (ReadSolveClock(*s->limit) > s->deadline || SolveCancelled(*s->limit)) s->outOfTime = true;
  return s->outOfTime;
}

int Phase2Distance(int corner, int ud, int slice) {
  return std::max(std::max(Distance(T.cornerSlicePrune, CornerSliceIndex(corner, slice)),
                           Distance(T.udSlicePrune, UdSliceIndex(ud, slice))),
                  Distance(T.udCombPrune, UdCombIndex(ud, T.combOf[corner])));
}

// The inverse is as far from solved, and its bounds often say more.
int InverseDistance(int corner, int ud, int slice) {
  return Phase2Distance(T.inverse8[corner], T.inverse8[ud], T.inverse4[slice]);
}

bool Phase2(Search* s, int corner, int ud, int slice, int depth, int left, int last) {
  ++s->phase2Nodes;
  if (corner == 0 && ud == 0 && slice == 0) {
    s->phase2End = depth;
    return true;
  }
  if (left == 0) return false;
  // The inverse's bounds, read once here, spare the moves' own reads from a position they rule out.
  if (InverseDistance(corner, ud, slice) > left) return false;
  // As in Phase1, every move's bounds asked of memory together.
  int corners[kMoves], uds[kMoves], slices[kMoves];
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    const bool upDown = kAxis[face] == 0;
    for (int m = face * 3 + (upDown ? 0 : 1); m < face * 3 + (upDown ? 3 : 2); ++m) {
      const int k = T.phase2Index[m];
      corners[m] = T.cornerMove[corner][m], uds[m] = T.udMove[ud][k], slices[m] = T.slicePermMove[slice][k];
      __builtin_prefetch(&T.cornerSlicePrune[CornerSliceIndex(corners[m], slices[m]) >> 1]);
      __builtin_prefetch(&T.udSlicePrune[UdSliceIndex(uds[m], slices[m]) >> 1]);
      __builtin_prefetch(&T.udCombPrune[UdCombIndex(uds[m], T.combOf[corners[m]]) >> 1]);
    }
  }
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    // U and D turn any amount, the others only half turns.
    const bool upDown = kAxis[face] == 0;
    for (int power = upDown ? 0 : 1; power < (upDown ? 3 : 2); ++power) {
      const int m = face * 3 + power;
      const int nextCorner = corners[m], nextUd = uds[m], nextSlice = slices[m];
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
  const int allowed = s->best - 1 - depth - s->preCount, bound = std::min(allowed, kPhase2Bound);
  const int distance = *distanceOut =
      std::max(Phase2Distance(corner, ud, slice), InverseDistance(corner, ud, slice));
  // Any answer within the bound first (most ends have none, and one search at the bound rules that
  // out), then shorter ones.
  bool found = false;
  for (int left = bound; left >= distance && Phase2(s, corner, ud, slice, depth, left, last);
       left = s->phase2End - depth - 1) {
    found = true;
    s->outOfTime = s->outOfTime || (s->firstAnswerOnly && s->length >= kShortAnswers);
    s->best = s->phase2End + s->preCount;
    s->bestDirection = s->direction;
    std::memcpy(s->bestPath, s->path, sizeof s->path);
    std::memcpy(s->bestPre, s->pre, sizeof s->pre);
    s->bestPreCount = s->preCount;
  }
  if (found) return true;
  // Only the search without turns before the pattern has to be complete.
  if (bound < allowed && s->preCount == 0)
    s->passedOver = std::min(s->passedOver, depth + std::max(distance, bound + 1));
  return false;
}

void StartPhase2(Search* s, int depth) {
  if (s->known < 0) {
    s->cornerAt[0] = CornerPermOf(*s->root);
    for (int group = 0; group < kEdgeGroups; ++group) s->sortedAt[group][0] = SortedOf(*s->root, group);
    s->known = 0;
  }
  for (int k = s->known; k < depth; ++k) {
    s->cornerAt[k + 1] = T.cornerMove[s->cornerAt[k]][s->path[k]];
    for (int group = 0; group < kEdgeGroups; ++group)
      s->sortedAt[group][k + 1] = T.sortedMove[group][s->sortedAt[group][k]][s->path[k]];
  }
  s->known = depth;
  const int corner = s->cornerAt[depth], slice = s->sortedAt[kSliceEdges][depth] - T.solvedSlice * kPerms4;
  // Most ends of the first phase are too far from solved to beat the best; the corners and the
  // middle layer tell before the other edges are worked out (X' and R' below can each be one turn
  // nearer).
  const int allowed = s->best - 1 - depth - s->preCount;
  if (std::max(Distance(T.cornerSlicePrune, CornerSliceIndex(corner, slice)),
               Distance(T.cornerSlicePrune, CornerSliceIndex(T.inverse8[corner], T.inverse4[slice]))) >
      allowed + (depth > 0 ? 1 : 0) + (s->preCount > 0 ? 1 : 0))
    return;
  CubieState c;
  for (int group = kUpEdges; group <= kDownEdges; ++group) PlaceSorted(s->sortedAt[group][depth], group, &c);
  const int last = depth > 0 ? s->path[depth - 1] : -1;
  // The first phase ends with a quarter turn X of a side face; X' ends in the same place of the
  // subgroup (it is X then X2), so the first phase never tries it last and it is tried here instead.
  // Likewise the turn R made last before the pattern stands for R' (R2 then R, R2 taken into the
  // second phase's start from the left).
  int corners[2][2], uds[2][2], slices[2][2];
  corners[0][0] = corner, uds[0][0] = UdPermOf(c), slices[0][0] = slice;
  const int ends = depth > 0 ? 2 : 1, pres = s->preCount > 0 ? 2 : 1;
  const int lastPre = s->preCount > 0 ? s->pre[s->preCount - 1] : -1;
  if (pres == 2) {
    corners[1][0] = corners[0][0], uds[1][0] = uds[0][0], slices[1][0] = slices[0][0];
    LeftMultiplyPhase2(MoveCubie(lastPre / 3 * 3 + 1), &corners[1][0], &uds[1][0], &slices[1][0]);
  }
  int distance;
  bool found = false;
  for (int pre = 0; pre < pres && !found; ++pre) {
    if (pre == 1) s->pre[s->preCount - 1] = lastPre / 3 * 3 + 2;
    for (int end = 0; end < ends; ++end) {
      if (end == 1) {
        // X' is X and one turn more: when X is two turns past the bound, so is X'.
        if (distance > std::min(allowed, kPhase2Bound) + 1) break;
        const int half = last / 3 * 3 + 1, k = T.phase2Index[half];
        corners[pre][1] = T.cornerMove[corners[pre][0]][half];
        uds[pre][1] = T.udMove[uds[pre][0]][k];
        slices[pre][1] = T.slicePermMove[slices[pre][0]][k];
        s->path[depth - 1] = last / 3 * 3 + 2;
      }
      found = TryPhase2(s, corners[pre][end], uds[pre][end], slices[pre][end], depth,
                        end == 1 ? s->path[depth - 1] : last, &distance);
      if (depth > 0) s->path[depth - 1] = last;
      if (found) break;
    }
    if (pres == 2) s->pre[s->preCount - 1] = lastPre;
  }
}

// symmetric: the direction's symmetries (bits) that leave the start and the path so far as they are.
void Phase1(Search* s, const Phase1Position& p, int depth, int left, int last, unsigned symmetric) {
  if (TimeUp(s)) return;
  if (left == 0) {
    // An end by a move that keeps the subgroup was already reached one move sooner.
    if (p.twist == 0 && p.flip == 0 && p.slice == T.solvedSlice && (last < 0 || T.phase2Index[last] < 0))
      StartPhase2(s, depth);
    return;
  }
  const bool inSubgroup = p.twist == 0 && p.flip == 0 && p.slice == T.solvedSlice;
  // With turns before the pattern, a first phase of the shortest length they are tried with may reach
  // the subgroup sooner (by a quarter turn X; X' is tried with X): no other length tries those ends
  // with them.
  if (inSubgroup && left < 5 && s->preCount > 0 && depth + left == kLongestWithoutPreMoves + 1 && last >= 0 &&
      T.phase2Index[last] < 0) {
    if (last % 3 == 0) StartPhase2(s, depth);
    return;
  }
  // Before the first answer, a first phase that reaches the subgroup and leaves it again only to come
  // back within a few turns rarely beats the second phase from where it first arrived; those are left
  // for the search after it, and an answer they might have made is no longer known to be missing.
  if (inSubgroup && left < 5 && s->best > 20 && depth + left >= kSkipReturnsFrom) {
    if (s->preCount == 0) s->passedOver = std::min(s->passedOver, depth + left);
    return;
  }
  if (left == 1) {
    // The last turn of the first phase is a quarter turn X of a side face (any other keeps the subgroup,
    // so the phase ended a turn sooner; X' is tried with X, see StartPhase2): it reaches the subgroup
    // or not, which the coordinates tell at once.
    for (int face = 0; face < 6; ++face) {
      const int m = face * 3;
      if (kAxis[face] == 0 || Redundant(face, last) || T.twistMove[p.twist][m] != 0 ||
          T.flipMove[p.flip][m] != 0 || T.sliceMove[p.slice][m] != T.solvedSlice)
        continue;
      s->path[depth] = m;
      if (s->known > depth) s->known = depth;
      StartPhase2(s, depth + 1);
      if (depth + left + s->preCount >= s->best) return;
    }
    return;
  }
  const Direction& d = s->directions[s->direction];
  // Every move's first bound asked of memory together: each move reads it, and misses one after another
  // cost most of a position.
  int twists[kMoves], flips[kMoves], first[kMoves];
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    for (int m = face * 3; m < face * 3 + 3; ++m) {
      twists[m] = T.twistMove[p.twist][m], flips[m] = T.flipMove[p.flip][m];
      first[m] = TwistFlipIndex(twists[m], flips[m]);
      __builtin_prefetch(&T.twistFlipPrune[first[m] >> 1]);
    }
  }
  Phase1Position n;
  for (int face = 0; face < 6; ++face) {
    if (Redundant(face, last)) continue;
    for (int power = 0; power < 3; ++power) {
      const int m = face * 3 + power;
      // A move that a symmetry of the position so far turns into a smaller one leads where that one
      // does, seen turned.
      unsigned keeps = 0;
      bool seen = false;
      for (unsigned rest = symmetric; rest != 0; rest &= rest - 1) {
        const int r = __builtin_ctz(rest);
        seen = seen || d.symmetryMove[r][m] < m;
        if (d.symmetryMove[r][m] == m) keeps |= 1u << r;
      }
      if (seen) continue;
      // The bounds one at a time, each read only while the ones before leave the move in: one more turn
      // of the face reaches its other amounts, so any bound past `left` rules them out too.
      n.twist = twists[m], n.flip = flips[m];
      int distance = Distance(T.twistFlipPrune, first[m]);
      if (distance < left) {
        n.turnedTwist = T.twistMove[p.turnedTwist][d.turnedMove[m]];
        n.turnedFlip = T.flipMove[p.turnedFlip][d.turnedMove[m]];
        distance = Distance(T.twistFlipPrune, TwistFlipIndex(n.turnedTwist, n.turnedFlip));
      }
      if (distance < left) {
        n.slice = T.sliceMove[p.slice][m];
        distance = std::max(Distance(T.twistSlicePrune, TwistSliceIndex(n.twist, n.slice)),
                            Distance(T.flipSlicePrune, FlipSliceIndex(n.flip, n.slice)));
      }
      if (distance > left) break;
      if (distance == left) continue;
      s->path[depth] = m;
      if (s->known > depth) s->known = depth;
      Phase1(s, n, depth + 1, left - 1, m, keeps);
      // Every answer from here has at least depth + left turns.
      if (depth + left + s->preCount >= s->best || s->outOfTime) return;
    }
  }
}

// root: the cubies where the first phase starts, whose second-phase coordinates StartPhase2 works out
// when a first phase from there first ends (from most starts none does).
void RunPhase1(Search* s, const Phase1Position& start, const CubieState& root, int depth) {
  if (*std::max_element(start.distance, start.distance + 4) > depth) return;
  s->known = -1;
  s->root = &root;
  Phase1(s, start, 0, depth, -1, s->preCount == 0 ? s->directions[s->direction].symmetries : 0);
}

// The first phase `length` turns long in all, count of them already made before the pattern (state),
// then with one turn more before it, and so on.
void PreMoves(Search* s, const CubieState& state, const CubieState& turnedBefore, int turnedMove, int length,
              int count, int lastPre) {
  const Direction& d = s->directions[s->direction];
  const int depth = length - count;
  s->preCount = count;
  if (count == 0) {
    // Tried before, see SolveEdgesAndCorners.
  } else if (T.phase2Index[lastPre] < 0 && lastPre % 3 == 0) {
    // The turn made last before the pattern comes right after the second phase: one that keeps the
    // subgroup would belong to it. R' is tried with R, see StartPhase2.
    Phase1Position start;
    if (StartOf(state, turnedBefore, turnedMove, depth, &start)) RunPhase1(s, start, state, depth);
  }
  // A symmetric pattern has its symmetries to cut its search instead.
  if (depth - 1 <= kLongestWithoutPreMoves || d.symmetries != 0 || s->outOfTime || length >= s->best) return;
  CubieState turned = turnedBefore;
  if (turnedMove >= 0) MultiplyCubies(MoveCubie(turnedMove), turnedBefore, &turned);
  const bool lastLevel = depth - 2 <= kLongestWithoutPreMoves;
  for (int m = 0; m < kMoves; ++m) {
    // Turns of one axis commute: one of them stands for all.
    if (lastPre >= 0 && kAxis[m / 3] == kAxis[lastPre / 3]) continue;
    if (lastLevel && (T.phase2Index[m] >= 0 || m % 3 != 0)) continue;  // could not be last
    s->pre[count] = m;
    CubieState next;
    MultiplyCubies(MoveCubie(m), state, &next);
    PreMoves(s, next, turned, d.turnedMove[m], length, count + 1, m);
    if (s->outOfTime || length >= s->best) return;
  }
}

}  // namespace

bool CentresHome(int n, const int32_t* pattern) {
  for (int face = 0; face < 6; ++face)
    if (pattern[CellIndex(face, n / 2, n / 2)] != face) return false;
  return true;
}

int SolveEdgesAndCorners(const int32_t* unrotated, const SolveLimit& limit, double started, int* faces,
                         int* quarterTurns, bool* optimal, long* nodes) {
  ReadySearchTables();
  Search s = {};
  if (!SetUpDirections(unrotated, s.directions)) return -1;
  s.best = 21;
  s.passedOver = kMaxDepth + 8;
  s.limit = &limit;
  s.deadline = started + limit.seconds;
  s.firstAnswerOnly = limit.seconds <= 0;
  int tried = 0;  // every first phase shorter than this was tried, in all directions
  for (int depth = 0; depth < s.best && !s.outOfTime; ++depth) {
    if (s.firstAnswerOnly && s.best <= 20 && depth >= kShortAnswers) break;
    s.length = depth;
    // Each direction without turns before the pattern, the cheaper way to an answer, then with them,
    // before the next direction: over random patterns that finds a first answer sooner than every
    // direction without them first (a tenth less time in all, a fifth at the 99th percentile).
    for (s.direction = 0; s.direction < kDirections && !s.outOfTime; ++s.direction)
      for (int pass = 0; pass < 2 && !s.outOfTime; ++pass) {
        if (RepeatsEarlier(s.directions, s.direction)) continue;
        const Direction& d = s.directions[s.direction];
        s.preCount = 0;
        if (pass == 0)
          RunPhase1(&s, d.begin, d.start, depth);
        else
          PreMoves(&s, d.start, d.turnedStart, -1, depth, 0, -1);
      }
    if (!s.outOfTime) tried = depth + 1;
  }
  // Any answer shorter than the best has a first phase shorter than the best.
  *optimal = tried >= s.best && s.passedOver >= s.best;
  if (nodes != nullptr) *nodes = s.nodes + s.phase2Nodes;
  if (s.best > 20) return -1;
  // The path, then the turns before the pattern last made first, takes the direction's start to
  // solved. From solved, an uninverted start is made by their inverse; an inverted one by them.
  int whole[kMaxDepth + 8];
  const int phases = s.best - s.bestPreCount;
  std::memcpy(whole, s.bestPath, sizeof(int) * static_cast<size_t>(phases));
  for (int k = 0; k < s.bestPreCount; ++k) whole[phases + k] = s.bestPre[s.bestPreCount - 1 - k];
  const Direction& d = s.directions[s.bestDirection];
  int length = 0;
  for (int k = 0; k < s.best; ++k) {
    const int m = d.inverted ? whole[k] : whole[s.best - 1 - k];
    const int face = d.faceOf[m / 3];
    int turns = d.inverted ? 1 + m % 3 : 3 - m % 3;
    // The second phase may end on the face the turns before the pattern start with: one turn of it.
    if (length > 0 && faces[length - 1] == face) {
      turns = (quarterTurns[--length] + turns) % 4;
      if (turns == 0) continue;
    }
    faces[length] = face;
    quarterTurns[length++] = turns;
  }
  return length;
}
