// The two-phase coordinates, and the move tables over them built from the model's own turns.
#include "solve/solve_coordinates.h"

#include <cstring>

SearchTables searchTables;

namespace {

SearchTables& T = searchTables;

// The n < 12, k <= 4 that the coordinates use, worked out by the compiler: starts of the search after
// turns before the pattern ask for them often.
struct Binomials {
  int value[12][5];
  constexpr Binomials() : value() {
    for (int n = 0; n < 12; ++n)
      for (int k = 0; k <= 4 && k <= n; ++k)
        value[n][k] = k == 0 || k == n ? 1 : value[n - 1][k - 1] + value[n - 1][k];
  }
};
constexpr Binomials kBinomials;

int Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  if (n < 12 && k < 5) return kBinomials.value[n][k];
  int value = 1;
  for (int j = 1; j <= k; ++j) value = value * (n - k + j) / j;
  return value;
}

int LehmerOf(const int* values, int count) {
  int code = 0;
  for (int k = 0; k < count; ++k) {
    int smaller = 0;
    for (int j = k + 1; j < count; ++j) smaller += values[j] < values[k];
    code = code * (count - k) + smaller;
  }
  return code;
}

void LehmerValues(int code, int count, int* values) {
  int digits[12];
  for (int k = count - 1; k >= 0; --k) digits[k] = code % (count - k), code /= count - k;
  bool used[12] = {};
  for (int k = 0; k < count; ++k) {
    int v = 0;
    for (int seen = -1;; ++v)
      if (!used[v] && ++seen == digits[k]) break;
    used[v] = true;
    values[k] = v;
  }
}

// The rank of a cubie in its group, -1 outside it.
int RankIn(int group, int cubie) {
  for (int k = 0; k < 4; ++k)
    if (T.groupCubies[group][k] == cubie) return k;
  return -1;
}

void Identity(CubieState* s) {
  std::memset(s, 0, sizeof *s);
  for (int k = 0; k < 8; ++k) s->cornerPerm[k] = static_cast<int8_t>(k);
  for (int k = 0; k < 12; ++k) s->edgePerm[k] = static_cast<int8_t>(k);
}

}  // namespace

int TwistOf(const CubieState& s) {
  int code = 0;
  for (int k = 0; k < 7; ++k) code = code * 3 + s.cornerTwist[k];
  return code;
}

int FlipOf(const CubieState& s) {
  int code = 0;
  for (int k = 0; k < 11; ++k) code = code * 2 + s.edgeFlip[k];
  return code;
}

int SliceOf(const CubieState& s) {
  // As SortedOf without the order, which the first phase's starts need alone.
  unsigned slice = 0;
  for (int k = 0; k < 4; ++k) slice |= 1u << T.slicePos[k];
  int places = 0, found = 0;
  for (int k = 0; k < 12; ++k)
    if (slice >> s.edgePerm[k] & 1) places += kBinomials.value[k][++found];
  return places;
}

int CornerPermOf(const CubieState& s) {
  int values[8];
  for (int k = 0; k < 8; ++k) values[k] = s.cornerPerm[k];
  return LehmerOf(values, 8);
}

int UdPermOf(const CubieState& s) {
  int rank[12] = {}, values[8];
  for (int k = 0; k < 8; ++k) rank[T.udPos[k]] = k;
  for (int k = 0; k < 8; ++k) values[k] = rank[s.edgePerm[T.udPos[k]]];
  return LehmerOf(values, 8);
}

int SlicePermOf(const CubieState& s) {
  int rank[12] = {}, values[4];
  for (int k = 0; k < 4; ++k) rank[T.slicePos[k]] = k;
  for (int k = 0; k < 4; ++k) values[k] = rank[s.edgePerm[T.slicePos[k]]];
  return LehmerOf(values, 4);
}

int CombOf(const CubieState& s) {
  // The U-layer corners are the ones a U turn moves.
  const CubieState& up = FaceTurnCubies(3, 0);
  int places = 0, found = 0, parity = 0;
  for (int k = 0; k < 8; ++k) {
    if (up.cornerPerm[s.cornerPerm[k]] != s.cornerPerm[k]) places += Binomial(k, ++found);
    for (int j = k + 1; j < 8; ++j) parity ^= s.cornerPerm[j] < s.cornerPerm[k];
  }
  return places * 2 + parity;
}

int SortedOf(const CubieState& s, int group) {
  int places = 0, found = 0, order[4], rankOf[12];
  for (int k = 0; k < 12; ++k) rankOf[k] = -1;
  for (int k = 0; k < 4; ++k) rankOf[T.groupCubies[group][k]] = k;
  for (int k = 0; k < 12; ++k) {
    const int rank = rankOf[s.edgePerm[k]];
    if (rank < 0) continue;
    order[found] = rank;
    places += Binomial(k, ++found);
  }
  return places * kPerms4 + LehmerOf(order, 4);
}

void LeftMultiplyPhase2(const CubieState& a, int* corner, int* ud, int* slicePerm) {
  int values[8], perm[8];
  LehmerValues(*corner, 8, values);
  for (int k = 0; k < 8; ++k) perm[k] = a.cornerPerm[values[k]];
  *corner = LehmerOf(perm, 8);
  CubieState x, y;
  LehmerValues(*ud, 8, values);
  for (int k = 0; k < 8; ++k) x.edgePerm[T.udPos[k]] = static_cast<int8_t>(T.udPos[values[k]]);
  LehmerValues(*slicePerm, 4, values);
  for (int k = 0; k < 4; ++k) x.edgePerm[T.slicePos[k]] = static_cast<int8_t>(T.slicePos[values[k]]);
  for (int k = 0; k < 12; ++k) y.edgePerm[k] = a.edgePerm[x.edgePerm[k]];
  *ud = UdPermOf(y);
  *slicePerm = SlicePermOf(y);
}

void PlaceSorted(int sorted, int group, CubieState* s) {
  int places = sorted / kPerms4, order[4];
  LehmerValues(sorted % kPerms4, 4, order);
  for (int k = 11, left = 4; k >= 0 && left > 0; --k)
    if (Binomial(k, left) <= places) {
      places -= Binomial(k, left);
      --left;
      s->edgePerm[k] = static_cast<int8_t>(T.groupCubies[group][order[left]]);
    }
}

void MoveCubies(int m, CubieState* s) {
  for (int k = 0; k <= m % 3; ++k) MultiplyCubies(*s, FaceTurnCubies(3, m / 3), s);
}

void BuildMoveTables() {
  CubieState solved, s;
  Identity(&solved);
  // The middle-layer edges are those with no U or D facelet: the solved ones whose turns by U and D
  // never reach them, found from the turns themselves.
  const CubieState& up = FaceTurnCubies(3, 0);
  const CubieState& down = FaceTurnCubies(3, 5);
  int slices = 0, uds = 0, ups = 0, downs = 0;
  for (int k = 0; k < 12; ++k) {
    if (up.edgePerm[k] == k && down.edgePerm[k] == k)
      T.slicePos[slices++] = k;
    else
      T.udPos[uds++] = k;
    if (up.edgePerm[k] != k) T.groupCubies[kUpEdges][ups++] = k;
    if (down.edgePerm[k] != k) T.groupCubies[kDownEdges][downs++] = k;
  }
  std::memcpy(T.groupCubies[kSliceEdges], T.slicePos, sizeof T.slicePos);
  T.solvedSlice = SliceOf(solved);
  for (int m = 0, at = 0; m < kMoves; ++m)
    if (m / 3 == 0 || m / 3 == 5 || m % 3 == 1) {
      T.phase2Index[m] = static_cast<int8_t>(at);
      T.phase2Move[at++] = m;
    } else {
      T.phase2Index[m] = -1;
    }

  for (int code = 0; code < kTwists; ++code)
    for (int m = 0; m < kMoves; ++m) {
      s = solved;
      int sum = 0, c = code;
      for (int k = 6; k >= 0; --k) s.cornerTwist[k] = static_cast<int8_t>(c % 3), sum += c % 3, c /= 3;
      s.cornerTwist[7] = static_cast<int8_t>((3 - sum % 3) % 3);
      MoveCubies(m, &s);
      T.twistMove[code][m] = static_cast<int16_t>(TwistOf(s));
    }
  for (int code = 0; code < kFlips; ++code)
    for (int m = 0; m < kMoves; ++m) {
      s = solved;
      int sum = 0, c = code;
      for (int k = 10; k >= 0; --k) s.edgeFlip[k] = static_cast<int8_t>(c % 2), sum += c % 2, c /= 2;
      s.edgeFlip[11] = static_cast<int8_t>(sum % 2);
      MoveCubies(m, &s);
      T.flipMove[code][m] = static_cast<int16_t>(FlipOf(s));
    }
  for (int group = 0; group < kEdgeGroups; ++group)
    for (int code = 0; code < kSorted; ++code) {
      // The group's edges where the code says; the others fill the rest in any order.
      s = solved;
      for (int k = 0; k < 12; ++k) s.edgePerm[k] = -1;
      PlaceSorted(code, group, &s);
      for (int k = 0, other = 0; k < 12; ++k) {
        if (s.edgePerm[k] >= 0) continue;
        while (RankIn(group, other) >= 0) ++other;
        s.edgePerm[k] = static_cast<int8_t>(other++);
      }
      for (int m = 0; m < kMoves; ++m) {
        CubieState t = s;
        MoveCubies(m, &t);
        T.sortedMove[group][code][m] = static_cast<uint16_t>(SortedOf(t, group));
        if (group == kSliceEdges && code % kPerms4 == 0)
          T.sliceMove[code / kPerms4][m] = static_cast<int16_t>(SliceOf(t));
      }
    }
  int values[8];
  for (int code = 0; code < kPerms8; ++code) {
    s = solved;
    LehmerValues(code, 8, values);
    for (int k = 0; k < 8; ++k) s.cornerPerm[k] = static_cast<int8_t>(values[k]);
    for (int k = 0; k < 8; ++k) s.edgePerm[T.udPos[k]] = static_cast<int8_t>(T.udPos[values[k]]);
    T.combOf[code] = static_cast<uint8_t>(CombOf(s));
    for (int m = 0; m < kMoves; ++m) {
      CubieState t = s;
      MoveCubies(m, &t);
      T.cornerMove[code][m] = static_cast<uint16_t>(CornerPermOf(t));
    }
    for (int k = 0; k < kPhase2Moves; ++k) {
      CubieState t = s;
      MoveCubies(T.phase2Move[k], &t);
      T.udMove[code][k] = static_cast<uint16_t>(UdPermOf(t));
    }
  }
  for (int code = 0; code < kPerms8; ++code) {
    int inverse[8];
    LehmerValues(code, 8, values);
    for (int k = 0; k < 8; ++k) inverse[values[k]] = k;
    T.inverse8[code] = static_cast<uint16_t>(LehmerOf(inverse, 8));
  }
  for (int code = 0; code < kPerms4; ++code) {
    int inverse[4];
    LehmerValues(code, 4, values);
    for (int k = 0; k < 4; ++k) inverse[values[k]] = k;
    T.inverse4[code] = static_cast<int8_t>(LehmerOf(inverse, 4));
  }
  for (int code = 0; code < kPerms4; ++code)
    for (int m = 0; m < kPhase2Moves; ++m) {
      s = solved;
      LehmerValues(code, 4, values);
      for (int k = 0; k < 4; ++k) s.edgePerm[T.slicePos[k]] = static_cast<int8_t>(T.slicePos[values[k]]);
      MoveCubies(T.phase2Move[m], &s);
      T.slicePermMove[code][m] = static_cast<int8_t>(SlicePermOf(s));
    }
}
