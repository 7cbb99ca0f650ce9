// The 2×2×2 solver: a distance table over corner permutation × twist with one corner held fixed.
#include "solve/solve_corners.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "solve/solve_steps.h"
#include "study/pieces.h"

namespace {

const int kPerms = 5040, kTwists = 729, kPositions = kPerms * kTwists;  // 7! · 3^6 = 3,674,160
const uint8_t kUnknown = 0xFF;

struct Tables {
  int fixed;      // the corner place no turn of the three faces moves
  int others[7];  // the other places in order
  int faces[3];   // the faces whose turns keep the fixed corner home
  int16_t permMove[kPerms][3];
  int16_t twistMove[kTwists][3];
  uint8_t distance[kPositions];
  int counts[kMaxCornerDistance];
};
Tables tables;

int EncodePerm(const CubieState& s) {
  int rank[8] = {}, value[7];
  for (int k = 0; k < 7; ++k) rank[tables.others[k]] = k;
  for (int k = 0; k < 7; ++k) value[k] = rank[s.cornerPerm[tables.others[k]]];
  int code = 0;
  for (int k = 0; k < 7; ++k) {
    int smaller = 0;
    for (int j = k + 1; j < 7; ++j) smaller += value[j] < value[k];
    code = code * (7 - k) + smaller;
  }
  return code;
}

void DecodePerm(int code, CubieState* s) {
  int digits[7];
  for (int k = 6; k >= 0; --k) digits[k] = code % (7 - k), code /= 7 - k;
  bool used[7] = {};
  for (int k = 0; k < 7; ++k) {
    int v = 0;
    for (int seen = -1;; ++v)
      if (!used[v] && ++seen == digits[k]) break;
    used[v] = true;
    s->cornerPerm[tables.others[k]] = static_cast<int8_t>(tables.others[v]);
  }
  s->cornerPerm[tables.fixed] = static_cast<int8_t>(tables.fixed);
}

int EncodeTwist(const CubieState& s) {
  int code = 0;
  for (int k = 0; k < 6; ++k) code = code * 3 + s.cornerTwist[tables.others[k]];
  return code;
}

void DecodeTwist(int code, CubieState* s) {
  int sum = 0;
  for (int k = 5; k >= 0; --k) {
    s->cornerTwist[tables.others[k]] = static_cast<int8_t>(code % 3);
    sum += code % 3, code /= 3;
  }
  s->cornerTwist[tables.others[6]] = static_cast<int8_t>((3 - sum % 3) % 3);
  s->cornerTwist[tables.fixed] = 0;
}

void Spread(bool quarterTurns, uint8_t* distance, int* counts) {
  // Breadth first, level by level, from the solved position; a half turn is one step or two.
  std::memset(distance, kUnknown, kPositions);
  std::memset(counts, 0, sizeof(int) * kMaxCornerDistance);
  distance[0] = 0;
  counts[0] = 1;
  for (int depth = 0; counts[depth] != 0 && depth + 1 < kMaxCornerDistance; ++depth)
    for (int index = 0; index < kPositions; ++index) {
      if (distance[index] != depth) continue;
      for (int m = 0; m < 3; ++m) {
        int perm = index / kTwists, twist = index % kTwists;
        for (int power = 1; power <= 3; ++power) {
          perm = tables.permMove[perm][m], twist = tables.twistMove[twist][m];
          if (quarterTurns && power == 2) continue;
          const int next = perm * kTwists + twist;
          if (distance[next] == kUnknown) {
            distance[next] = static_cast<uint8_t>(depth + 1);
            ++counts[depth + 1];
          }
        }
      }
    }
}

}  // namespace

void FillCornerTables() {
  const PieceSet& set = PiecesOf(2);
  int corner = 0;
  for (int k = 0; k < set.count; ++k)
    if (set.pieces[k].kind == kCornerPiece) {
      const Piece& p = set.pieces[k];
      if (p.x == 0 && p.y == 0 && p.z == 0) tables.fixed = corner;
      ++corner;
    }
  for (int k = 0, at = 0; k < 8; ++k)
    if (k != tables.fixed) tables.others[at++] = k;
  for (int face = 0, at = 0; face < 6; ++face)
    if (FaceTurnCubies(2, face).cornerPerm[tables.fixed] == tables.fixed) tables.faces[at++] = face;

  CubieState s, t;
  std::memset(&s, 0, sizeof s);
  for (int code = 0; code < kPerms; ++code)
    for (int m = 0; m < 3; ++m) {
      DecodePerm(code, &s);
      MultiplyCubies(s, FaceTurnCubies(2, tables.faces[m]), &t);
      tables.permMove[code][m] = static_cast<int16_t>(EncodePerm(t));
    }
  for (int code = 0; code < kTwists; ++code)
    for (int m = 0; m < 3; ++m) {
      DecodeTwist(code, &s);
      for (int k = 0; k < 8; ++k) s.cornerPerm[k] = static_cast<int8_t>(k);
      MultiplyCubies(s, FaceTurnCubies(2, tables.faces[m]), &t);
      tables.twistMove[code][m] = static_cast<int16_t>(EncodeTwist(t));
    }

  Spread(false, tables.distance, tables.counts);
}

namespace {

// Once, from whichever thread asks first.
void EnsureBuilt() {
  static std::once_flag built;
  std::call_once(built, FillCornerTables);
}

}  // namespace

const int* CornerDistanceCounts() {
  EnsureBuilt();
  return tables.counts;
}

void CornerQuarterTurnCounts(int* counts) {
  EnsureBuilt();
  std::vector<uint8_t> distance(kPositions);
  Spread(true, distance.data(), counts);
}

bool CornerHome(int n, const int32_t* pattern) {
  EnsureBuilt();
  CubieState s;
  return ReadCubies(n, pattern, &s) && s.cornerPerm[tables.fixed] == tables.fixed &&
         s.cornerTwist[tables.fixed] == 0;
}

int SolveCorners(const int32_t* unrotated, int* faces, int* quarterTurns) {
  EnsureBuilt();
  CubieState s;
  if (!ReadCubies(2, unrotated, &s)) return -1;
  int perm = EncodePerm(s), twist = EncodeTwist(s);
  int length = 0;
  // Walks down the table: some turn always leads one step nearer. The turns found take the pattern to
  // solved, so the answer from solved is their inverses in reverse order.
  int found[11][2];
  while (tables.distance[perm * kTwists + twist] != 0) {
    const int here = tables.distance[perm * kTwists + twist];
    bool stepped = false;
    for (int m = 0; m < 3 && !stepped; ++m) {
      int p = perm, t = twist;
      for (int power = 1; power <= 3 && !stepped; ++power) {
        p = tables.permMove[p][m], t = tables.twistMove[t][m];
        if (tables.distance[p * kTwists + t] == here - 1) {
          found[length][0] = tables.faces[m], found[length][1] = power;
          ++length, perm = p, twist = t, stepped = true;
        }
      }
    }
    if (!stepped) return -1;
  }
  for (int k = 0; k < length; ++k) {
    faces[k] = found[length - 1 - k][0];
    quarterTurns[k] = 4 - found[length - 1 - k][1];
  }
  return length;
}

int CornerDistance(const int32_t* unrotated) {
  EnsureBuilt();
  CubieState s;
  if (!ReadCubies(2, unrotated, &s)) return -1;
  return tables.distance[EncodePerm(s) * kTwists + EncodeTwist(s)];
}

size_t CornerTableBytes() { return sizeof tables; }
