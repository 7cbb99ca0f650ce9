// The symmetries the 5×5×5 phases keep their tables under: those that map given axes to themselves, their
// inverses, and what they do to a mask over an orbit's places.
#pragma once

#include <cstdint>

#include "solve/phase/phase_geometry.h"

// The symmetries (phase_geometry.h's numbering, the identity first) that map each axis named in `axes`
// (bit 0 U-D, bit 1 L-R, bit 2 F-B) to itself, rotations alone or mirrors too; their count.
int AxisKeepingSymmetries(unsigned axes, bool rotationsOnly, int8_t* out);

// The symmetry that undoes s.
int InverseSymmetry(int n, int s);

// The places' mask under a symmetry: after it, place q is set where place from[q] was.
class MaskSymmetry {
 public:
  void Build(const OrbitPlaces& orbit, int symmetry);
  uint32_t Apply(uint32_t mask) const {
    return bytes_[0][mask & 255] | bytes_[1][(mask >> 8) & 255] | bytes_[2][mask >> 16 & 255];
  }

 private:
  uint32_t bytes_[3][256];
};
