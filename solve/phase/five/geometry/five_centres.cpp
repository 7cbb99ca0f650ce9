// Axis centres as two ranks of four among eight, read from cells and carried by moves and symmetries.
#include "solve/phase/five/geometry/five_centres.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "solve/phase/phase_geometry.h"
#include "solve/phase/phase_pieces.h"
#include "study/facelet_map.h"

namespace {

const int kFirstFace[3] = {U, L, F};
const int kOpposite[6] = {D, R, B, L, F, U};

struct AxisPlaces {
  int8_t places[2][3][8];  // [orbit: x, t][axis][k]
};

const AxisPlaces& Places() {
  static AxisPlaces storage;
  static std::once_flag once;
  std::call_once(once, [] {
    for (int o = 0; o < 2; ++o) {
      const OrbitPlaces& orbit = OrbitOf(kFive, o == 0 ? kXCentreOrbit : kTCentreOrbit);
      for (int axis = 0; axis < 3; ++axis) {
        int k = 0;
        for (int q = 0; q < orbit.count && k < 8; ++q)
          if (AxisOfFace(orbit.cells[q][0] / kFaceStride) == axis)
            storage.places[o][axis][k++] = static_cast<int8_t>(q);
      }
    }
  });
  return storage;
}

const OrbitPlaces& OrbitNumber(int o) { return OrbitOf(kFive, o == 0 ? kXCentreOrbit : kTCentreOrbit); }

// Which of the axis's places show its first colour, as a rank of four among eight; -1 if not four.
int OrbitRank(const BigState& state, int o, int axis) {
  const OrbitPlaces& orbit = OrbitNumber(o);
  uint32_t compact = 0;
  int count = 0;
  for (int k = 0; k < 8; ++k)
    if (state.cells[orbit.cells[Places().places[o][axis][k]][0]] == kFirstFace[axis])
      compact |= 1u << k, ++count;
  return count == 4 ? static_cast<int>(RankMask(compact, 8, 4)) : -1;
}

// A state whose axis shows the value (the other cells hold no colour of the axis).
void Paint(int axis, int centres, BigState* state) {
  state->n = kFive;
  std::memset(state->cells, 6, sizeof state->cells);
  const int first = kFirstFace[axis], second = kOpposite[first];
  const uint32_t ranks[2] = {static_cast<uint32_t>(centres / 70), static_cast<uint32_t>(centres % 70)};
  for (int o = 0; o < 2; ++o) {
    const uint32_t compact = UnrankMask(ranks[o], 8, 4);
    for (int k = 0; k < 8; ++k)
      state->cells[OrbitNumber(o).cells[Places().places[o][axis][k]][0]] =
          static_cast<int8_t>(compact >> k & 1 ? first : second);
  }
}

}  // namespace

int AxisCentres(const BigState& fixedColours, int axis) {
  const int x = OrbitRank(fixedColours, 0, axis), t = OrbitRank(fixedColours, 1, axis);
  return x < 0 || t < 0 ? -1 : x * 70 + t;
}

void AxisCentreMoves::Build(int axis, const BlockMove* moves, int count) {
  for (int o = 0; o < 2; ++o)
    for (int m = 0; m < count; ++m) {
      int8_t from[kMaxOrbitPlaces], twist[kMaxOrbitPlaces];
      MovePlaces(OrbitNumber(o), moves[m], from, twist);
      for (uint32_t rank = 0; rank < 70; ++rank) {
        const uint32_t compact = UnrankMask(rank, 8, 4);
        uint32_t full = 0;
        for (int k = 0; k < 8; ++k)
          if (compact >> k & 1) full |= 1u << Places().places[o][axis][k];
        uint32_t moved = 0;
        for (int q = 0; q < OrbitNumber(o).count; ++q)
          if (full >> from[q] & 1) moved |= 1u << q;
        uint32_t next = 0;
        for (int k = 0; k < 8; ++k)
          if (moved >> Places().places[o][axis][k] & 1) next |= 1u << k;
        (o == 0 ? x_ : t_)[rank][m] = static_cast<uint8_t>(RankMask(next, 8, 4));
      }
    }
}

void ConjugateState(const BigState& state, int symmetry, BigState* out) {
  const int16_t* source = SymmetrySources(state.n, symmetry);
  int8_t colour[7];
  for (int face = 0; face < 6; ++face)
    colour[face] = static_cast<int8_t>(SymmetryFace(state.n, symmetry, face));
  colour[6] = 6;
  out->n = state.n;
  std::memset(out->cells, 6, sizeof out->cells);
  ForEachUsedCell(state.n, [&](int cell) {
    const int shown = state.cells[source[cell]];
    out->cells[cell] = shown >= 0 && shown <= 6 ? colour[shown] : static_cast<int8_t>(shown);
  });
}

int ConjugateAxisCentres(int axis, int centres, int symmetry) {
  BigState painted, seen;
  Paint(axis, centres, &painted);
  ConjugateState(painted, symmetry, &seen);
  return AxisCentres(seen, axis);
}

int SolvedAxisCentres(int axis) {
  BigState solved;
  BigSolved(kFive, &solved);
  return AxisCentres(solved, axis);
}

std::vector<uint64_t> ReachedCentres(const int* axes, int axisCount, const BlockMove* moves, int count) {
  AxisCentreMoves tables[3];
  for (int a = 0; a < axisCount; ++a) tables[a].Build(axes[a], moves, count);
  uint64_t start = 0;
  for (int a = 0; a < axisCount; ++a)
    start = start * kAxisCentres + static_cast<uint64_t>(SolvedAxisCentres(axes[a]));
  std::vector<uint64_t> reached(1, start), sorted(1, start);
  for (size_t head = 0; head < reached.size(); ++head) {
    int value[3];
    uint64_t rest = reached[head];
    for (int a = axisCount - 1; a >= 0; --a)
      value[a] = static_cast<int>(rest % kAxisCentres), rest /= kAxisCentres;
    for (int m = 0; m < count; ++m) {
      uint64_t next = 0;
      for (int a = 0; a < axisCount; ++a)
        next = next * kAxisCentres + static_cast<uint64_t>(tables[a].Next(value[a], m));
      const auto at = std::lower_bound(sorted.begin(), sorted.end(), next);
      if (at != sorted.end() && *at == next) continue;
      sorted.insert(at, next);
      reached.push_back(next);
    }
  }
  return sorted;
}
