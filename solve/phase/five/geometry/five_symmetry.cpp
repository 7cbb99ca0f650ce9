// Axis-keeping symmetries found from where they send the faces, inverses from the cells.
#include "solve/phase/five/geometry/five_symmetry.h"

#include "solve/phase/five/geometry/five_frame.h"
#include "solve/phase/mask_moves.h"

int AxisKeepingSymmetries(unsigned axes, bool rotationsOnly, int8_t* out) {
  const int faces[3] = {U, L, F};
  int count = 0;
  for (int s = 0; s < (rotationsOnly ? 24 : kSymmetries); ++s) {
    bool keeps = true;
    for (int axis = 0; axis < 3; ++axis)
      if (axes >> axis & 1) keeps = keeps && AxisOfFace(SymmetryFace(kFive, s, faces[axis])) == axis;
    if (keeps) out[count++] = static_cast<int8_t>(s);
  }
  return count;
}

int InverseSymmetry(int n, int s) {
  const int16_t* forward = SymmetrySources(n, s);
  for (int t = 0; t < kSymmetries; ++t) {
    const int16_t* back = SymmetrySources(n, t);
    bool identity = true;
    for (int c = 0; c < kCellCount && identity; ++c) identity = forward[back[c]] == c;
    if (identity) return t;
  }
  return 0;
}

void MaskSymmetry::Build(const OrbitPlaces& orbit, int symmetry) {
  int8_t from[kMaxOrbitPlaces], to[kMaxOrbitPlaces];
  SymmetryPlaces(orbit, symmetry, from);
  for (int q = 0; q < orbit.count; ++q) to[from[q]] = static_cast<int8_t>(q);
  MaskMoves::Fill(to, orbit.count, bytes_);
}
