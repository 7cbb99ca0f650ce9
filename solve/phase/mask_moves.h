// Which places of an orbit (up to 24) hold some set of pieces, as a bit mask that moves turn by three
// table reads, and the same for whole-cube symmetries.
#pragma once

#include <cstdint>

#include "solve/phase/phase_geometry.h"

class MaskMoves {
 public:
  // Tables for the moves on the orbit's places.
  void Build(const OrbitPlaces& orbit, const BlockMove* moves, int count);
  uint32_t Apply(uint32_t mask, int move) const {
    const uint32_t(*t)[256] = bytes_[move];
    return t[0][mask & 255] | t[1][(mask >> 8) & 255] | t[2][(mask >> 16) & 255];
  }
  // The bit of place p goes to bit to[p].
  static void Fill(const int8_t* to, int places, uint32_t (*bytes)[256]);

 private:
  uint32_t bytes_[64][3][256];
};

// The rank of a mask among the masks with the same number of places set inside `within` (places
// outside it are ignored), by byte tables: places of `within` are numbered from 0 upwards.
class MaskRanker {
 public:
  void Build(uint32_t within);
  uint32_t Rank(uint32_t mask) const {
    const int low = count_[0][mask & 255], middle = count_[1][(mask >> 8) & 255];
    return part_[0][mask & 255][0] + part_[1][(mask >> 8) & 255][low] +
           part_[2][(mask >> 16) & 255][low + middle];
  }

 private:
  uint8_t count_[3][256];
  uint32_t part_[3][256][25];
};

// The places where an orbit's pieces of one colour set stand.
uint32_t ColourMask(const OrbitPlaces& orbit, const BigState& state, unsigned colourSet);
// The places on a set of faces.
uint32_t FaceMask(const OrbitPlaces& orbit, unsigned faceSet);
