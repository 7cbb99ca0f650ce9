// The two-phase coordinates, and the move tables over them built from the model's own turns.
#include "study/solve_coordinates.h"

#include <cstring>

SearchTables searchTables;

namespace {

SearchTables& T = searchTables;

int Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
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

bool IsSliceCubie(int cubie) {
  for (int k = 0; k < 4; ++k)
    if (T.slicePos[k] == cubie) return true;
  return false;
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
  int code = 0, found = 0;
  for (int k = 0; k < 12; ++k)
    if (IsSliceCubie(s.edgePerm[k])) code += Binomial(k, ++found);
  return code;
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

int SliceSortedOf(const CubieState& s) {
  int rank[12] = {}, values[4], found = 0;
  for (int k = 0; k < 4; ++k) rank[T.slicePos[k]] = k;
  for (int k = 0; k < 12; ++k)
    if (IsSliceCubie(s.edgePerm[k])) values[found++] = rank[s.edgePerm[k]];
  return SliceOf(s) * kPerms4 + LehmerOf(values, 4);
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
  int slices = 0, uds = 0;
  for (int k = 0; k < 12; ++k) {
    if (up.edgePerm[k] == k && down.edgePerm[k] == k)
      T.slicePos[slices++] = k;
    else
      T.udPos[uds++] = k;
  }
  T.solvedSlice = SliceOf(solved);
  for (int m = 0, at = 0; m < kMoves; ++m)
    if (m / 3 == 0 || m / 3 == 5 || m % 3 == 1) T.phase2Move[at++] = m;

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
  int values[8];
  for (int mask = 0; mask < 4096; ++mask) {
    int bits = 0;
    for (int k = 0; k < 12; ++k) bits += mask >> k & 1;
    if (bits != 4) continue;
    for (int order = 0; order < kPerms4; ++order) {
      s = solved;
      LehmerValues(order, 4, values);
      int slice = 0, ud = 0;
      for (int k = 0; k < 12; ++k)
        s.edgePerm[k] = static_cast<int8_t>(mask >> k & 1 ? T.slicePos[values[slice++]] : T.udPos[ud++]);
      const int code = SliceSortedOf(s);
      for (int m = 0; m < kMoves; ++m) {
        CubieState t = s;
        MoveCubies(m, &t);
        T.sliceMove[code / kPerms4][m] = static_cast<int16_t>(SliceOf(t));
        T.sliceSortedMove[code][m] = static_cast<uint16_t>(SliceSortedOf(t));
      }
    }
  }
  for (int code = 0; code < kPerms8; ++code) {
    s = solved;
    LehmerValues(code, 8, values);
    for (int k = 0; k < 8; ++k) s.cornerPerm[k] = static_cast<int8_t>(values[k]);
    for (int k = 0; k < 8; ++k) s.edgePerm[T.udPos[k]] = static_cast<int8_t>(T.udPos[values[k]]);
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
  for (int code = 0; code < kPerms4; ++code)
    for (int m = 0; m < kPhase2Moves; ++m) {
      s = solved;
      LehmerValues(code, 4, values);
      for (int k = 0; k < 4; ++k) s.edgePerm[T.slicePos[k]] = static_cast<int8_t>(T.slicePos[values[k]]);
      MoveCubies(T.phase2Move[m], &s);
      T.slicePermMove[code][m] = static_cast<int8_t>(SlicePermOf(s));
    }
}
